#include "dialogs/isoptic_dialogs.h"

#include "figures/isoptic_obj.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

CIsopticConstantsDialogModel::CIsopticConstantsDialogModel(CGestureState& state) : m_state(state) {
    m_title = "Set Canonical Constants";
    CIsopticConstants k{-1, -3, 1};
    for (const CMyObj* obj : state.m_selection) {
        if (obj->GetIsopticVariant() == IsopticVariant::None) continue;
        k = static_cast<const CIsoptic*>(obj)->Constants();
        break;
    }
    Add(DoubleField(kAField, "&a:", k.a));
    Add(DoubleField(kBField, "&b:", k.b));
    Add(DoubleField(kCField, "&c:", k.c));
    Add(PlainField(kSingularButton, "SINGULAR", FieldKind::Button));
}

CIsopticConstants CIsopticConstantsDialogModel::Constants() const {
    CIsopticConstants k{DoubleOf(kAField), DoubleOf(kBField), DoubleOf(kCField)};
    // The field shows six decimals; the singular value itself is kept while
    // the field still shows it, so that the cubic is singular indeed.
    const DialogField* b = Find(kBField);
    if (m_hasSingularB && b && b->text == m_singularText) k.b = m_singularB;
    return k;
}

void CIsopticConstantsDialogModel::OnButton(int id, bool) {
    if (id != kSingularButton) return;
    double b = 0;
    if (!SingularB(DoubleOf(kAField), DoubleOf(kCField), b)) {
        if (Host* host = FindHost()) host->Beep();
        return;
    }
    SetDouble(kBField, b);
    m_hasSingularB = true;
    m_singularB = b;
    m_singularText = Find(kBField)->text;
}

bool CIsopticConstantsDialogModel::Accept(Host& host) {
    CGyrDoc* doc = m_state.Document();
    if (!doc) return true;
    const std::size_t before = doc->Objects().size();
    CIsoptic* obj = AddIsopticFromConstants(doc, Constants());
    if (!obj) {
        host.Beep();
        return false;
    }
    PixelRect dirty;
    for (std::size_t i = before; i < doc->Objects().size(); ++i)
        dirty = dirty.United(doc->Objects()[i]->GetInvalidRect());
    host.Invalidate(dirty);
    doc->SetModifiedFlag();
    return true;
}

CHalfPointsDialogModel::CHalfPointsDialogModel() {
    m_title = "Set half-number of points for components";
    Add(IntField(kNField, "Enter n: 20<n<1001", ProgramState().isoptic.halfPoints,
                 kIsopticHalfPointsMin, kIsopticHalfPointsMax));
}

bool CHalfPointsDialogModel::Accept(Host&) {
    ProgramState().isoptic.halfPoints = IntOf(kNField);
    return true;
}

void RunIsopticConstantsDialog(CGestureState& state) {
    Host* host = FindHost();
    if (!host) return;
    CIsopticConstantsDialogModel model(state);
    host->RunDialog(model);
}

void RunHalfPointsDialog() {
    Host* host = FindHost();
    if (!host) return;
    CHalfPointsDialogModel model;
    host->RunDialog(model);
}

}  // namespace gyr
