#include "dialogs/pen_width_dialog.h"

namespace gyr {

CPenWidthDialogModel::CPenWidthDialogModel(int width) {
    m_title = "Set pen-thickness";
    DialogField f =
        IntField(kWidthField, "Insert the pen-thickness (positive integer x)", width, 7, 100);
    f.selectAll = true;
    Add(f);
    Add(PlainField(0, "6 < x < 101", FieldKind::Label));
}

}  // namespace gyr
