#pragma once
// The Script window without its toolkit: the script text, the number of
// locus points, which buttons are enabled, and what each button and the
// edit's focus changes do. It installs the recorder on the view's gesture
// state while recording is on. The desktop shows it in a modeless window.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "constructions/locus_play.h"
#include "constructions/locus_recorder.h"
#include "port/canvas.h"

namespace gyr {

class CGestureState;

// Control ids of the window.
enum ScriptControl : int {
    IDC_SCRIPT_START = 1051,
    IDC_SCRIPT_STOP = 1052,
    IDC_SCRIPT_EDIT = 1053,
    IDC_SCRIPT_CLEAR = 1054,
    IDC_SCRIPT_PRINT = 1055,
    IDC_SCRIPT_POINTS = 1056,
    IDC_SCRIPT_LOCUS = 1057,
    IDC_SCRIPT_FROM_DOC = 1058,
};

constexpr int kLocusPointsDefault = 20;
constexpr int kLocusPointsMin = 2;
constexpr int kLocusPointsMax = 1000;

class CScriptWindowModel {
public:
    explicit CScriptWindowModel(CGestureState& state);
    ~CScriptWindowModel();
    CScriptWindowModel(const CScriptWindowModel&) = delete;
    CScriptWindowModel& operator=(const CScriptWindowModel&) = delete;

    // The buttons.
    void Start();
    void Stop();
    void Clear();
    // The text as a text box at topLeft (sheet pixels: the window gives the
    // visible top-left corner) with the document's text attributes, as large
    // as the measured lines.
    using MeasureFn = std::function<PixelPoint(const FontRecord&, const std::string&)>;
    void Print(const PixelPoint& topLeft, const MeasureFn& measure);
    // PLAY; false after a failure (message shown, beep, statement selected).
    bool Play();
    // "Set %d locus-pts".
    bool PlayLocus();
    // Close: recording off. The window is destroyed by its owner.
    void Close();
    void GetFromDocument() {}

    // The edit gains or loses the focus (inside the window; the window
    // losing activation is not the edit losing focus).
    void EditFocusIn();
    void EditFocusOut();
    // The user changed the text.
    void SetText(const std::string& text);
    // "Pts:" changed: a number from 2 to 1000 is taken, anything else gives 20.
    void SetPointsText(const std::string& text);

    const std::string& Text() const { return m_text; }
    int Points() const { return m_nPoints; }
    std::string LocusCaption() const;
    bool IsRecording() const;

    struct Enabled {
        bool start = true, stop = false, clear = false, print = false, play = false, close = true;
    };
    const Enabled& Buttons() const { return m_enabled; }
    // The statement a failure selects, as a byte range of the text, once.
    std::optional<std::pair<std::size_t, std::size_t>> TakeSelection();
    // The recorder wrote to the text: the edit shows it with the caret at
    // its end. Reset by reading.
    bool TakeTextAppended();
    // Told whenever the recorder appends a line.
    void SetRecordListener(std::function<void()> listener) {
        m_recorder->m_onRecord = std::move(listener);
    }

private:
    void SetRecording(bool on);
    void EmptySteps();
    bool Finish(const CScriptRunResult& r);

    CGestureState& m_state;
    std::string m_text;
    std::size_t m_lengthSeen = 0;
    bool m_editFocused = false;
    int m_nPoints = kLocusPointsDefault;
    Enabled m_enabled;
    std::unique_ptr<CScriptRecorder> m_recorder;
    std::optional<std::pair<std::size_t, std::size_t>> m_selection;
};

}  // namespace gyr
