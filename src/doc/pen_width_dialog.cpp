#include "doc/pen_width_dialog.h"

namespace gyr {

CPenWidthDialogModel::CPenWidthDialogModel(int width) {
    m_title = "Set pen-thickness";
    DialogField hint;
    hint.kind = FieldKind::Label;
    hint.label = "6 < x < 101";
    DialogField f;
    f.id = kWidthField;
    f.label = "Insert the pen-thickness (positive integer x)";
    f.kind = FieldKind::Int;
    f.text = std::to_string(width);
    f.ranged = true;
    f.min = 7;
    f.max = 100;
    f.selectAll = true;
    Add(f);
    Add(hint);
}

}  // namespace gyr
