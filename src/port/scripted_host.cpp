#include "port/scripted_host.h"

#include "port/recording_canvas.h"

namespace gyr {

ScriptedHost::ScriptedHost() {
    m_previous = FindHost();
    SetHost(this);
}

ScriptedHost::~ScriptedHost() {
    SetHost(m_previous);
}

MsgAnswer ScriptedHost::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    messages.push_back({text, icon, buttons});
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Yes;
        default:
            return MsgAnswer::Ok;
    }
}

void ScriptedHost::Invalidate(const PixelRect& r) {
    invalidated.push_back(r);
}

FileChoice ScriptedHost::ChooseOpenFile(const std::string& filter) {
    chooserFilters.push_back(filter);
    if (fileChoices.empty()) return {};
    FileChoice c = fileChoices.front();
    fileChoices.pop_front();
    return c;
}

FileChoice ScriptedHost::ChooseSaveFile(const std::string& filter, const std::string&,
                                        const std::string&) {
    return ChooseOpenFile(filter);
}

bool ScriptedHost::RunDialog(DialogModel& model) {
    dialogTitles.push_back(model.Title());
    while (!dialogScripts.empty()) {
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        if (!script(model)) return false;
        if (model.Ok(*this)) return true;
    }
    return false;
}

int ScriptedHost::Random() {
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & 0x7FFF);
}

void ScriptedHost::Clear() {
    beeps = 0;
    invalidateAll = 0;
    sheetSizeChanges = 0;
    messages.clear();
    invalidated.clear();
    dialogTitles.clear();
    chooserFilters.clear();
}

bool ScriptedHost::RenderBitmap(int width, int height, const std::function<void(Canvas&)>& draw,
                                DibImage& out) {
    if (!canRender || width <= 0 || height <= 0) return false;
    RecordingCanvas dc;
    draw(dc);
    renderedLines = dc.lines;
    out.width = width;
    out.height = height;
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0xFFFFFFFFu);
    return true;
}

void ScriptedHost::SetClipboard(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& data,
    const ClipboardDrawing* drawing) {
    clipboard.reset();
    clipboardData = data;
    clipboardDrawingArea = drawing ? drawing->area : PixelRect{};
    clipboardDraw = drawing ? drawing->draw : nullptr;
}

std::optional<std::vector<std::uint8_t>> ScriptedHost::ClipboardData(const std::string& mime) {
    for (const auto& [type, bytes] : clipboardData)
        if (type == mime) return bytes;
    return std::nullopt;
}

}  // namespace gyr
