#pragma once
// The isoptic dialogs: the canonical constants of a new cubic ("Set
// Canonical Constants") and the half-number of points of the sampled pieces.

#include "math/isoptic.h"
#include "model/gesture_state.h"
#include "port/dialog_model.h"

namespace gyr {

class CIsopticConstantsDialogModel : public DialogModel {
public:
    enum : int { kAField = 1000, kBField = 1001, kCField = 1002, kSingularButton = 1033 };

    // Opens on the constants of the first selected isoptic of the state, or
    // on -1, -3, 1.
    explicit CIsopticConstantsDialogModel(CGestureState& state);

    // SINGULAR: b becomes (a/2 - c/a)(a/2 + c/a); a beep when a is 0.
    void OnButton(int id, bool ctrl) override;
    // Adds the segments AB and CD and the cubic in the standard frame. A beep
    // and the dialog stays open when the constants give no points.
    bool Accept(Host& host) override;

    CIsopticConstants Constants() const;

private:
    CGestureState& m_state;
    bool m_hasSingularB = false;
    double m_singularB = 0;
    std::string m_singularText;
};

class CHalfPointsDialogModel : public DialogModel {
public:
    enum : int { kNField = 1000 };
    CHalfPointsDialogModel();
    bool Accept(Host& host) override;
};

void RunIsopticConstantsDialog(CGestureState& state);
void RunHalfPointsDialog();

}  // namespace gyr
