#pragma once
// The platform services of the core on Qt: beep, message boxes, repaint
// requests of the sheet view, key state, file choosers, the random source.

#include <functional>
#include <memory>
#include <random>

#include "port/host.h"

class QWidget;

namespace gyr {

class SheetView;
class HeldKeys;

// Converts a filter of the form "Name (*.a)|*.a|Other (*.b;*.c)|*.b;*.c||"
// into Qt's "Name (*.a);;Other (*.b *.c)".
std::string ToQtFilter(const std::string& filter);

class QtHost : public Host {
public:
    explicit QtHost(unsigned seed = std::random_device{}());
    ~QtHost() override;

    // The window that owns message boxes and file choosers, and the view that
    // receives repaint requests; either may be null.
    void SetWindow(QWidget* window) { m_window = window; }
    void SetSheetView(SheetView* view) { m_sheetView = view; }

    // Replacements of the file choosers and message boxes, so that tests can
    // answer them; empty functions restore the real ones.
    using OpenChooser = std::function<FileChoice(const std::string& filter)>;
    using SaveChooser = std::function<FileChoice(
        const std::string& filter, const std::string& defExt, const std::string& fileName)>;
    using MessageAnswerer =
        std::function<MsgAnswer(const std::string& text, MsgIcon icon, MsgButtons buttons)>;
    void SetOpenChooser(OpenChooser chooser) { m_openChooser = std::move(chooser); }
    void SetSaveChooser(SaveChooser chooser) { m_saveChooser = std::move(chooser); }
    void SetMessageAnswerer(MessageAnswerer answerer) { m_answerer = std::move(answerer); }

    void Beep() override;
    MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    void Invalidate(const PixelRect& r) override;
    void InvalidateAll() override;
    void SheetSizeChanged() override;
    bool IsKeyDown(int key) override;
    int ScreenDpiX() override;
    int ScreenDpiY() override;
    std::optional<PrinterPage> DefaultPrinter() override;
    // On a QImage through the Qt canvas.
    bool RenderBitmap(int width, int height, const std::function<void(Canvas&)>& draw,
                      DibImage& out) override;
    FileChoice ChooseOpenFile(const std::string& filter) override;
    FileChoice ChooseSaveFile(const std::string& filter, const std::string& defExt,
                              const std::string& fileName) override;
    // Shows the model as a modal DialogView; messages and choosers opened
    // while it runs belong to the dialog.
    bool RunDialog(DialogModel& model) override;
    void SetClipboardText(const std::string& text) override;
    std::optional<std::string> ClipboardText() override;
    bool ClipboardHasImage() override;
    std::optional<std::vector<std::uint8_t>> ClipboardImageDib() override;
    void SetClipboard(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& data,
                      const ClipboardDrawing* drawing) override;
    std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& mime) override;
    void AddRecentFile(const std::string& path) override;
    int Random() override { return int(m_random() % 32768u); }

private:
    QWidget* m_window = nullptr;
    SheetView* m_sheetView = nullptr;
    std::mt19937 m_random;
    OpenChooser m_openChooser;
    SaveChooser m_saveChooser;
    MessageAnswerer m_answerer;
    // The keys held down in the application (F1 and F2 change what a
    // Ctrl-click of the point tool does); null without an application.
    std::unique_ptr<HeldKeys> m_heldKeys;
};

}  // namespace gyr
