#include "dialogs/point_mark_dialog.h"

#include "figures/point_obj.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

DialogField Radio(int id, const char* label, bool checked) {
    DialogField f = PlainField(id, label, FieldKind::Radio);
    f.checked = checked;
    f.group = CPointMarkDialogModel::kFigureRadios;
    return f;
}

}  // namespace

CPointMarkDialogModel::CPointMarkDialogModel(CGyrDoc& doc) : m_doc(doc) {
    const CPointMarkSettings& s = ProgramState().pointMarks;
    m_title = "Select figure to mark single points";
    DialogField group = PlainField(kFigureGroup, "Select the figure", FieldKind::Label);
    group.group = kFigureRadios;
    Add(group);
    Add(Radio(kCircleCross, "Circle + cross", s.mark == 0));
    Add(Radio(kCross, "Cross", s.mark == 1));
    Add(Radio(kCircle, "Circle", s.mark == 2));
    // The radius is in world units, as the points store it.
    Add(DoubleField(kRadius, "Radius in cm:", s.radius, 0.01, 1.0));
    Add(IntField(kThickness, "Thickness in pixels:", s.attr.penWidthX, 1, 10));
    DialogField colors = PlainField(kUseColors, "Set actual frame/fill-color", FieldKind::Check);
    colors.checked = s.applyToAll != 0;
    Add(colors);
}

int CPointMarkDialogModel::SelectedMark() const {
    if (Find(kCircleCross)->checked) return 0;
    if (Find(kCross)->checked) return 1;
    return 2;
}

bool CPointMarkDialogModel::Accept(Host&) {
    CPointMarkSettings& s = ProgramState().pointMarks;
    s.mark = SelectedMark();
    s.radius = DoubleOf(kRadius);
    s.applyToAll = Find(kUseColors)->checked ? 1 : 0;
    CDrawAttr& a = s.attr;
    if (s.applyToAll) {
        // The colours and on-flags of the document; the thickness stays the
        // dialog's.
        const CDrawAttr& d = m_doc.m_drawAttr;
        a.penOn = d.penOn;
        a.brushOn = d.brushOn;
        a.penColor = d.penColor;
        a.brushColor = d.brushColor;
    }
    a.penWidthX = IntOf(kThickness);
    ApplyPointMarks(m_doc);
    for (const CMyObj* obj : m_doc.Objects())
        if (obj->IsPoint()) {
            m_doc.SetModifiedFlag();
            break;
        }
    return true;
}

bool RunPointMarkDialog(CGyrDoc& doc) {
    CPointMarkDialogModel model(doc);
    return GetHost().RunDialog(model);
}

}  // namespace gyr
