#include "doc/pen_width_dialog.h"

namespace gyr {

CPenWidthDialogModel::CPenWidthDialogModel(int width) {
    m_title = "Set pen-thickness";
    DialogField f;
    f.id = kWidthField;
    f.label = "&Thickness (pixels):";
    f.kind = FieldKind::Int;
    f.text = std::to_string(width);
    f.ranged = true;
    f.min = 7;
    f.max = 100;
    f.selectAll = true;
    Add(f);
}

}  // namespace gyr
