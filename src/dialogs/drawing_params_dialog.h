#pragma once
// "Drawing Parameters": the program-wide drawing parameters, edited as texts
// and stored only when OK is taken.

#include "port/dialog_model.h"

namespace gyr {

class CDrawingParamsDialogModel : public DialogModel {
public:
    // Field ids in tab order.
    enum Id : int {
        kSides = 1000,
        kGraphPoints = 1001,
        kGraphLeft = 1002,
        kGraphRight = 1003,
        kTranslationX = 1004,
        kTranslationY = 1005,
        kRotationX = 1006,
        kRotationY = 1007,
        kRotationAngle = 1008,  // degrees:minutes:seconds
        kHomothetyX = 1009,
        kHomothetyY = 1010,
        kHomothetyModulus = 1011,
        kMatchDistance = 1012,
        kDivideAngle = 1013,
        kRatio = 1021,
        kDivideParts = 1059,
    };

    // Opens on the current program-wide parameters.
    CDrawingParamsDialogModel();
    bool Accept(Host& host) override;
};

// Runs the dialog through the host; true when OK was taken.
bool RunDrawingParamsDialog();

}  // namespace gyr
