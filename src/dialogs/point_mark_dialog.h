#pragma once
// "Select figure to mark single points": the point-mark figure, radius,
// thickness and colour flag. OK stores the settings and re-marks every point
// of the document.

#include "port/dialog_model.h"

namespace gyr {

class CGyrDoc;

class CPointMarkDialogModel : public DialogModel {
public:
    enum Id : int {
        kFigureGroup = 1000,  // caption of the figure radios
        kCircleCross = 1001,  // radios in the order of the marks 0..2
        kCross = 1002,
        kCircle = 1003,
        kRadius = 1010,
        kThickness = 1011,
        kUseColors = 1012,
    };
    enum Group : int { kFigureRadios = 1 };

    explicit CPointMarkDialogModel(CGyrDoc& doc);
    bool Accept(Host& host) override;

    // The mark of the selected radio (0 circle + cross, 1 cross, 2 circle).
    int SelectedMark() const;

private:
    CGyrDoc& m_doc;
};

// Opens the dialog over the settings; true when OK stored them.
bool RunPointMarkDialog(CGyrDoc& doc);

}  // namespace gyr
