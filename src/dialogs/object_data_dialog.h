#pragma once
// "Object data": the lines an object lists about itself, a spin that steps
// the chosen line's value by STEP, "Modify a Copy of this" (the dialog goes
// on with a copy in the catalogue) and "Text-box" (the lines as a text box
// at the object). The changes happen as the user clicks; OK closes.

#include "model/gesture_state.h"
#include "port/dialog_model.h"

namespace gyr {

class CObjectDataDialogModel : public DialogModel {
public:
    enum { kList = 1, kSpin = 2, kStep = 3, kModifyCopy = 4, kTextBox = 5 };
    static constexpr int kListExtent = 1024;
    static constexpr double kMinStep = 1e-6;
    static constexpr double kMaxStep = 10.0;

    CObjectDataDialogModel(CGestureState& state, CMyObj* obj);

    // The object shown now (a copy after "Modify a Copy of this"), null when
    // a step left none.
    CMyObj* Object() const { return m_obj; }
    double Step() const { return m_step; }
    // The exact value the spin steps from, when the line is editable.
    bool Editable() const { return m_editable; }
    double Value() const { return m_value; }

    void OnFieldChanged(int id) override;
    void OnSpin(int id, int steps) override;
    void OnButton(int id, bool ctrl) override;
    bool Accept(Host&) override { return true; }

private:
    void Refill(int select);
    // Reads the chosen line; beep tells whether a line without a value beeps.
    void ReadLine(bool beep);

    CGestureState& m_state;
    CMyObj* m_obj;
    bool m_editable = false;
    bool m_exact = false;  // m_value is the object's own number
    double m_value = 0;
    double m_step = 0.01;
};

// Shows the dialog of obj (no beep here when obj is null: the caller knows).
void RunObjectDataDialog(CGestureState& state, CMyObj* obj);

}  // namespace gyr
