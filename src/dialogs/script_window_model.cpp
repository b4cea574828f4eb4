#include "dialogs/script_window_model.h"

#include <algorithm>
#include <charconv>

#include "figures/text_obj.h"
#include "model/document.h"
#include "model/gesture_state.h"
#include "model/program_state.h"
#include "model/undo_history.h"
#include "port/host.h"

namespace gyr {

CScriptWindowModel::CScriptWindowModel(CGestureState& state) : m_state(state) {
    m_recorder = std::make_unique<CScriptRecorder>(state, m_text);
}

CScriptWindowModel::~CScriptWindowModel() {
    SetRecording(false);
}

bool CScriptWindowModel::IsRecording() const {
    return ProgramState().script.recording && m_state.m_pRecorder == m_recorder.get();
}

void CScriptWindowModel::SetRecording(bool on) {
    if (on) {
        ProgramState().script.recording = true;
        m_state.m_pRecorder = m_recorder.get();
        return;
    }
    if (m_state.m_pRecorder == m_recorder.get()) {
        m_state.m_pRecorder = nullptr;
        ProgramState().script.recording = false;
    }
}

void CScriptWindowModel::EmptySteps() {
    // Objects the document holds stay; only those no document holds go.
    ProgramState().script.steps.Clear();
}

void CScriptWindowModel::Start() {
    EmptySteps();
    SetRecording(true);
    m_enabled = {.start = false,
                 .stop = true,
                 .clear = false,
                 .print = false,
                 .play = false,
                 .close = false};
}

void CScriptWindowModel::Stop() {
    SetRecording(false);
    EmptySteps();
    const bool text = !m_text.empty();
    m_enabled = {
        .start = false, .stop = false, .clear = true, .print = text, .play = text, .close = true};
}

void CScriptWindowModel::Clear() {
    SetRecording(false);
    m_text.clear();
    m_lengthSeen = 0;
    EmptySteps();
    m_enabled = {
        .start = true, .stop = false, .clear = false, .print = false, .play = false, .close = true};
}

void CScriptWindowModel::Print(const PixelPoint& topLeft, const MeasureFn& measure) {
    SetRecording(false);
    CGyrDoc* doc = m_state.Document();
    if (m_text.empty() || !doc) return;
    CUndoScope step(doc, "Print script");
    const CTextObj probe(m_text, {}, {}, doc->m_textAttr);
    const FontRecord font = probe.Font();
    int width = 0, height = 0;
    std::size_t start = 0;
    while (start <= m_text.size()) {
        std::size_t end = m_text.find('\n', start);
        if (end == std::string::npos) end = m_text.size();
        std::string line = m_text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (end == m_text.size() && line.empty() && start > 0) break;  // after the last CR LF
        const PixelPoint size = measure(font, line.empty() ? " " : line);
        width = std::max(width, size.x);
        height += size.y;
        if (end == m_text.size()) break;
        start = end + 1;
    }
    CreateTextBox(m_state, m_text, 0,
                  {topLeft.x, topLeft.y, topLeft.x + width + 10, topLeft.y + height});
    doc->SetModifiedFlag();
}

bool CScriptWindowModel::Finish(const CScriptRunResult& r) {
    Host* host = FindHost();
    if (!r.fault.message.empty()) {
        if (host) host->MessageBox(r.fault.message, MsgIcon::Exclamation, MsgButtons::Ok);
        if (r.fault.end > r.fault.begin) m_selection = {r.fault.begin, r.fault.end};
    }
    if (r.beep && host) host->Beep();
    if (CGyrDoc* doc = m_state.Document(); doc && (r.ok || r.points > 0)) doc->SetModifiedFlag();
    return r.ok;
}

bool CScriptWindowModel::Play() {
    SetRecording(false);
    CGyrDoc* doc = m_state.Document();
    if (!doc) return false;
    CUndoScope step(doc, "PLAY");
    return Finish(PlayScript(*doc, m_text));
}

bool CScriptWindowModel::PlayLocus() {
    SetRecording(false);
    CGyrDoc* doc = m_state.Document();
    if (!doc) return false;
    CUndoScope step(doc, "Locus");
    return Finish(gyr::PlayLocus(*doc, m_text, m_nPoints));
}

void CScriptWindowModel::Close() {
    SetRecording(false);
}

void CScriptWindowModel::SetText(const std::string& text) {
    m_text = text;
    m_lengthSeen = text.size();
    if (m_editFocused) {
        // What depends on the text follows the typing.
        const bool any = !m_text.empty();
        m_enabled.clear = m_enabled.print = m_enabled.play = any;
    }
}

void CScriptWindowModel::EditFocusIn() {
    m_editFocused = true;
    EmptySteps();
    // PLAY stays available: pressing it takes the focus from the edit first,
    // and a disabled button could not be pressed at all after typing.
    const bool text = !m_text.empty();
    m_enabled = {
        .start = false, .stop = true, .clear = text, .print = text, .play = text, .close = true};
}

void CScriptWindowModel::EditFocusOut() {
    m_editFocused = false;
    SetRecording(false);
    EmptySteps();
    const bool text = !m_text.empty();
    m_enabled = {
        .start = false, .stop = false, .clear = text, .print = text, .play = true, .close = true};
}

void CScriptWindowModel::SetPointsText(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    int n = 0;
    auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, n);
    const bool whole = ec == std::errc() && ptr == text.data() + e;
    m_nPoints = whole && n >= kLocusPointsMin && n <= kLocusPointsMax ? n : kLocusPointsDefault;
}

std::string CScriptWindowModel::LocusCaption() const {
    return "Set " + std::to_string(m_nPoints) + " locus-pts";
}

std::optional<std::pair<std::size_t, std::size_t>> CScriptWindowModel::TakeSelection() {
    auto s = m_selection;
    m_selection.reset();
    return s;
}

bool CScriptWindowModel::TakeTextAppended() {
    const bool appended = m_text.size() != m_lengthSeen;
    m_lengthSeen = m_text.size();
    return appended;
}

}  // namespace gyr
