#pragma once
// The locus script's recorder: while the script window records, every point,
// segment and circle the user constructs with the recorded tools appends one
// script line to the window's text and one step to the step list. A line
// that would refer to an object made before recording started (it has no
// step) is dropped, and so is a construction the script cannot express.

#include <functional>
#include <initializer_list>
#include <string>

#include "model/gesture_state.h"

namespace gyr {

class CScriptRecorder : public CGestureRecorder {
public:
    // state: the gesture state the recorder is installed on (its picks tell
    // what a construction was built from); text: the script receiving the
    // lines.
    CScriptRecorder(CGestureState& state, std::string& text) : m_state(state), m_text(text) {}

    void RecordPoint(const CMyObj& point, PointOrigin origin, const CMyObj* first,
                     const CMyObj* second) override;
    void RecordSegment(const CMyObj& segment, int toolCode) override;
    void RecordCircle(const CMyObj& circle, int toolCode) override;

    // Appends "L# Kind Operation refs pairs numbers selector ;" and CR LF,
    // numbered 10 x (steps + 1), and the step. False (nothing written) when
    // a referenced object has no step.
    bool Record(const CMyObj& obj, int kind, int op, int selector,
                std::initializer_list<const CMyObj*> refs, std::initializer_list<CWorldPoint> pairs,
                std::initializer_list<double> numbers = {});

    // Called after each line written (the window shows the text).
    std::function<void()> m_onRecord;

private:
    CGestureState& m_state;
    std::string& m_text;
};

}  // namespace gyr
