#pragma once
// A Host for tests: records beeps, messages and invalidations, answers
// message boxes, file choosers and dialogs from queued scripts.

#include <deque>
#include <functional>
#include <set>

#include "port/dialog_model.h"
#include "port/host.h"

namespace gyr {

class ScriptedHost : public Host {
public:
    struct Message {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    // Installs itself as the process host for its lifetime.
    ScriptedHost();
    ~ScriptedHost() override;

    void Beep() override { ++beeps; }
    MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    void Invalidate(const PixelRect& r) override;
    void InvalidateAll() override { ++invalidateAll; }
    void SheetSizeChanged() override { ++sheetSizeChanges; }
    bool IsKeyDown(int key) override { return keysDown.count(key) != 0; }
    std::optional<PrinterPage> DefaultPrinter() override { return printer; }
    FileChoice ChooseOpenFile(const std::string& filter) override;
    FileChoice ChooseSaveFile(const std::string& filter, const std::string& defExt,
                              const std::string& fileName) override;
    bool RunDialog(DialogModel& model) override;
    void SetClipboardText(const std::string& text) override {
        clipboard = text;
        clipboardData.clear();
        clipboardDrawingArea = {};
        clipboardDraw = nullptr;
    }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    void SetClipboard(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& data,
                      const ClipboardDrawing* drawing) override;
    std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& mime) override;
    void AddRecentFile(const std::string& path) override { recentFiles.push_back(path); }
    int Random() override;
    // A white bitmap; what was drawn into it is kept in renderedLines.
    bool RenderBitmap(int width, int height, const std::function<void(Canvas&)>& draw,
                      DibImage& out) override;

    // Recorded.
    int beeps = 0;
    int invalidateAll = 0;
    int sheetSizeChanges = 0;
    std::vector<Message> messages;
    std::vector<PixelRect> invalidated;
    std::vector<std::string> dialogTitles;
    std::vector<std::string> recentFiles;
    // The clipboard's blocks by MIME type, and the area of its drawing
    // (empty when the last copy offered none).
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> clipboardData;
    PixelRect clipboardDrawingArea;
    std::function<void(Canvas&)> clipboardDraw;
    std::vector<std::string> renderedLines;
    // The filter of every file chooser shown.
    std::vector<std::string> chooserFilters;
    // False: the platform has no raster surface.
    bool canRender = true;

    // Scripted answers, consumed in order. An empty queue answers message
    // boxes with Ok/Yes, choosers with "cancelled" and dialogs with Cancel.
    std::deque<MsgAnswer> answers;
    std::deque<FileChoice> fileChoices;
    // A dialog script fills the model's fields and returns true to press OK.
    // When OK is refused the next script runs on the same model, as a user
    // correcting the field would; with none left the dialog is cancelled.
    std::deque<std::function<bool(DialogModel&)>> dialogScripts;

    std::set<int> keysDown;
    std::optional<PrinterPage> printer;
    std::optional<std::string> clipboard;
    unsigned randomState = 12345;

    std::string LastMessage() const { return messages.empty() ? "" : messages.back().text; }
    void Clear();

private:
    Host* m_previous = nullptr;
};

}  // namespace gyr
