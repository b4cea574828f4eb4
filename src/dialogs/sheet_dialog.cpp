#include "dialogs/sheet_dialog.h"

#include <cmath>

#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "port/host.h"

namespace gyr {

namespace {

constexpr int kLocationIds[] = {CSheetDialogModel::kMiddle, CSheetDialogModel::kLeftBottom,
                                CSheetDialogModel::kLeftMiddle, CSheetDialogModel::kBottomMiddle};
constexpr int kExpansionIds[] = {CSheetDialogModel::kExpandBoth, CSheetDialogModel::kExpandSheet,
                                 CSheetDialogModel::kExpandUnits};
// The order in which typed origin values are matched against the locations:
// middle, bottom-middle, left-bottom, left-middle.
constexpr int kMatchOrder[] = {0, 3, 1, 2};
// Distance of the bottom locations from the lower sheet edge.
constexpr int kBottomInset = 36;

int HalfDown(int v) {
    return int(std::floor(v / 2.0));
}

PixelPoint LocationOrigin(int index, int w, int h) {
    switch (index) {
        case 0:
            return {HalfDown(w), HalfDown(h)};
        case 1:
            return {0, h - kBottomInset};
        case 2:
            return {0, HalfDown(h)};
        default:
            return {HalfDown(w), h - kBottomInset};
    }
}

DialogField Plain(int id, const char* label, FieldKind kind, bool checked = false, int group = 0) {
    DialogField f = PlainField(id, label, kind);
    f.checked = checked;
    f.group = group;
    return f;
}

}  // namespace

CSheetDialogModel::CSheetDialogModel(CGyrDoc& doc) : m_doc(doc) {
    const CSheetParams& p = doc.m_sheetParams;
    m_title = "Define sheet-width, height, unit-length, axes-center, labels on axes etc.";
    m_pageWidth = TruncToInt(p.width * p.generalScale);
    m_pageHeight = TruncToInt(p.height * p.generalScale);

    // Range checks on OK run in this order.
    Add(IntField(kWidth, "Width", p.width, 440, 32000));
    Add(IntField(kHeight, "Height", p.height, 440, 32000));
    Add(IntField(kOriginX, "ox", p.originX, 0, 32000));
    Add(IntField(kOriginY, "oy", p.originY, 0, 32000));
    Add(IntField(kUnitX, "x-unit", p.unitX, 10, 16000));
    Add(IntField(kUnitY, "y-unit", p.unitY, 10, 16000));
    Add(DoubleField(kLabelsX, "per x-unit", p.labelsPerX, 0.1, 1000.0));
    Add(DoubleField(kLabelsY, "per y-unit", p.labelsPerY, 0.1, 1000.0));

    const int loc = doc.m_specialOrigin;
    Add(Plain(kOriginGroup, "Special origin location", FieldKind::Label, false, kOriginRadios));
    Add(Plain(kMiddle, "&Middle of sheet", FieldKind::Radio, loc == 0, kOriginRadios));
    Add(Plain(kLeftBottom, "&Left-bottom of sheet", FieldKind::Radio, loc == 1, kOriginRadios));
    Add(Plain(kLeftMiddle, "Left-M&iddle of sheet", FieldKind::Radio, loc == 2, kOriginRadios));
    Add(Plain(kBottomMiddle, "&Bottom middle of sheet", FieldKind::Radio, loc == 3, kOriginRadios));

    Add(Plain(kShowAxes, "&Show axes", FieldKind::Check, p.axesMode >= 1));
    Add(Plain(kShowLabels, "Sho&w labels on the axes", FieldKind::Check, p.axesMode == 2));

    const int ex = doc.m_expansion;
    Add(Plain(kExpansionGroup, "Expansion settings", FieldKind::Label, false, kExpansionRadios));
    Add(Plain(kExpandBoth, "Expand both", FieldKind::Radio, ex == 0, kExpansionRadios));
    Add(Plain(kExpandSheet, "Expand sheet only", FieldKind::Radio, ex == 1, kExpansionRadios));
    Add(Plain(kExpandUnits, "Expand units only", FieldKind::Radio, ex == 2, kExpansionRadios));

    Add(Plain(kDefaultPage, "Set default-printer-page-size", FieldKind::Button));
    Add(Plain(kAddColumn, "Add pages-column", FieldKind::Button));
    Add(Plain(kAddRow, "Add pages-row", FieldKind::Button));
}

int CSheetDialogModel::SelectedLocation() const {
    for (int i = 0; i < 4; ++i)
        if (Find(kLocationIds[i])->checked) return i;
    return -1;
}

void CSheetDialogModel::SelectLocation(int index) {
    for (int i = 0; i < 4; ++i) Find(kLocationIds[i])->checked = (i == index);
}

void CSheetDialogModel::ApplyLocation() {
    int loc = SelectedLocation();
    if (loc < 0) return;
    PixelPoint o = LocationOrigin(loc, IntOf(kWidth), IntOf(kHeight));
    SetInt(kOriginX, o.x);
    SetInt(kOriginY, o.y);
}

void CSheetDialogModel::MatchLocation() {
    const int w = IntOf(kWidth), h = IntOf(kHeight);
    const PixelPoint typed{IntOf(kOriginX), IntOf(kOriginY)};
    for (int loc : kMatchOrder) {
        if (LocationOrigin(loc, w, h) == typed) {
            SelectLocation(loc);
            return;
        }
    }
    SelectLocation(-1);
}

void CSheetDialogModel::ValidateLabels() {
    bool reset = false;
    for (int id : {kLabelsX, kLabelsY}) {
        if (DoubleOf(id) <= 0) {
            SetDouble(id, 1.0);
            reset = true;
        }
    }
    if (reset) GetHost().MessageBox(kMsgLabelsReset, MsgIcon::Exclamation, MsgButtons::Ok);
}

void CSheetDialogModel::AddPage(int field, int amount, bool subtract) {
    long long v = IntOf(field);
    if (!subtract)
        v += amount;
    else if (v > amount)
        v -= amount;
    SetInt(field, v);
    ApplyLocation();
}

void CSheetDialogModel::OnFieldChanged(int id) {
    switch (id) {
        case kWidth:
        case kHeight:
            ApplyLocation();
            break;
        case kOriginX:
        case kOriginY:
            MatchLocation();
            break;
        case kMiddle:
        case kLeftBottom:
        case kLeftMiddle:
        case kBottomMiddle:
            if (Find(id)->checked) ApplyLocation();
            break;
        case kShowAxes:
            if (!Find(kShowAxes)->checked) Find(kShowLabels)->checked = false;
            break;
        case kShowLabels:
            if (Find(kShowLabels)->checked) {
                Find(kShowAxes)->checked = true;
                ValidateLabels();
            }
            break;
        default:
            break;
    }
}

void CSheetDialogModel::OnButton(int id, bool ctrl) {
    if (id == kDefaultPage) {
        PixelPoint page = DefaultPageSize();
        SetInt(kWidth, page.x);
        SetInt(kHeight, page.y);
        ApplyLocation();
    } else if (id == kAddColumn) {
        AddPage(kWidth, m_pageWidth, ctrl);
    } else if (id == kAddRow) {
        AddPage(kHeight, m_pageHeight, ctrl);
    }
}

bool CSheetDialogModel::Accept(Host& host) {
    const CSheetParams old = m_doc.m_sheetParams;
    CSheetParams p = old;
    p.width = IntOf(kWidth);
    p.height = IntOf(kHeight);
    p.originX = IntOf(kOriginX);
    p.originY = IntOf(kOriginY);
    p.unitX = IntOf(kUnitX);
    p.unitY = IntOf(kUnitY);
    p.labelsPerX = DoubleOf(kLabelsX);
    p.labelsPerY = DoubleOf(kLabelsY);
    p.axesMode = !Find(kShowAxes)->checked ? 0 : Find(kShowLabels)->checked ? 2 : 1;

    const int location = SelectedLocation();
    int expansion = m_doc.m_expansion;
    for (int i = 0; i < 3; ++i)
        if (Find(kExpansionIds[i])->checked) expansion = i;

    const bool changed = !(p == old) || location != m_doc.m_specialOrigin;
    const bool resized = p.width != old.width || p.height != old.height;
    m_doc.m_sheetParams = p;
    m_doc.m_specialOrigin = location;
    m_doc.m_expansion = expansion;
    if (changed) {
        m_doc.ApplySheetParams();
        // The record is saved with the document, so its change must not be
        // lost silently on closing.
        if (!(p == old)) m_doc.SetModifiedFlag();
        host.InvalidateAll();
    }
    if (resized) host.SheetSizeChanged();
    return true;
}

bool RunSheetDialog(CGyrDoc& doc) {
    CSheetDialogModel model(doc);
    return GetHost().RunDialog(model);
}

}  // namespace gyr
