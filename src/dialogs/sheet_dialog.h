#pragma once
// The "Drawing Sheet" dialog: sheet size, origin, units, labels, axes mode
// and expansion setting, edited on a copy and written into the document on OK.

#include "model/document.h"
#include "port/dialog_model.h"

namespace gyr {

class CSheetDialogModel : public DialogModel {
public:
    // Field ids, stable for the desktop state.
    enum Id : int {
        kWidth = 1000,
        kHeight = 1001,
        kOriginX = 1002,
        kOriginY = 1003,
        kUnitX = 1004,
        kUnitY = 1005,
        kLabelsX = 1006,
        kLabelsY = 1007,
        kOriginGroup = 1010,  // caption of the special-origin radios
        kMiddle = 1011,       // radios in the order of the location index 0..3
        kLeftBottom = 1012,
        kLeftMiddle = 1013,
        kBottomMiddle = 1014,
        kShowAxes = 1020,
        kShowLabels = 1021,
        kExpansionGroup = 1030,  // caption of the expansion radios
        kExpandBoth = 1031,      // radios in the order of the setting 0..2
        kExpandSheet = 1032,
        kExpandUnits = 1033,
        kDefaultPage = 1040,
        kAddColumn = 1041,
        kAddRow = 1042,
    };
    // Radio group numbers.
    enum Group : int { kOriginRadios = 1, kExpansionRadios = 2 };

    explicit CSheetDialogModel(CGyrDoc& doc);

    void OnFieldChanged(int id) override;
    void OnButton(int id, bool ctrl) override;
    bool Accept(Host& host) override;

    // -1 when no special location is selected, else 0..3.
    int SelectedLocation() const;

private:
    void SelectLocation(int index);
    // Writes the origin fields for the selected location from the current
    // width and height fields; nothing when none is selected.
    void ApplyLocation();
    void MatchLocation();
    void ValidateLabels();
    void AddPage(int field, int amount, bool subtract);

    CGyrDoc& m_doc;
    // The effective sheet size when the dialog opened: what one page adds.
    int m_pageWidth;
    int m_pageHeight;
};

// Runs the dialog on the document through the host; true when OK was taken.
bool RunSheetDialog(CGyrDoc& doc);

}  // namespace gyr
