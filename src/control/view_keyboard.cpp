// The view's keyboard rules, typed characters and the double click.

#include "constructions/angle_constructions.h"
#include "control/gyr_view.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

namespace {

using KeyHandler = bool (*)(CGyrView& view, int key, unsigned flags, int repeat);

// The sheet heads the catalogue and stays out of the cycle, so that Tab
// followed by Delete can never remove it.
bool IsCyclable(const CGyrDoc& doc, std::size_t i) {
    return !(i == 0 && doc.Sheet());
}

bool TabKey(CGyrView& view, int, unsigned, int) {
    CGyrDoc* doc = view.GetDocument();
    if (!doc) return true;
    const CObList& objects = doc->Objects();
    std::size_t target = objects.size();
    if (!view.State().m_selection.empty()) {
        const CMyObj* recent = view.State().m_selection.back();
        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (objects[i] != recent) continue;
            std::size_t next = i;
            do next = (next + 1) % objects.size();
            while (!IsCyclable(*doc, next) && next != i);
            target = next;
            break;
        }
    }
    if (target == objects.size() && objects.size() >= 2) target = objects.size() - 1;
    if (target == objects.size() || !IsCyclable(*doc, target)) {
        view.Beep();
        return true;
    }
    PixelRect dirty = view.State().SelectionRect();
    view.State().DeselectAll();
    view.State().Select(objects[target]);
    view.Repaint(dirty.United(objects[target]->GetInvalidRect()));
    return true;
}

bool ArrowKey(CGyrView& view, int key, unsigned flags, int repeat) {
    if (flags & kMkShift) {
        CGyrDoc* doc = view.GetDocument();
        CMyObj* first =
            view.State().m_selection.empty() ? nullptr : view.State().m_selection.front();
        if (!first || !doc || !ListContains(doc->Objects(), first)) {
            view.Beep();
            return true;
        }
        first->DuplicateByKey(view.State(), key, repeat);
        return true;
    }
    // Nothing to move: the platform may scroll instead.
    if (view.State().m_selection.empty()) return false;
    static constexpr PixelPoint kStep[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const PixelPoint d = kStep[key - kKeyLeft];
    view.Repaint(view.OffsetSelection(PixelDeltaToWorld(d.x, d.y)));
    view.SetUndoKind(kUndoMove);
    return true;
}

bool DigitKey(CGyrView&, int key, unsigned, int) {
    SetPolygonSides(ProgramState().params, key - '0');
    return true;
}

bool AngleKey(CGyrView& view, int key, unsigned flags, int) {
    CMyObj* angle = nullptr;
    for (CMyObj* obj : view.State().m_selection)
        if (obj->IsAngle()) {
            angle = obj;
            break;
        }
    if (!angle || !AngleVariantKey(view.State(), *angle, key, flags)) view.Beep();
    return true;
}

bool ZoomKey(CGyrView& view, int key, unsigned, int) {
    CGyrDoc* doc = view.GetDocument();
    if (!doc) return true;
    const double f = ProgramState().params.homothetyModulus;
    ZoomSheet(*doc, key == kKeyF12 ? f : 1.0 / f);
    return true;
}

constexpr struct {
    int first;
    int last;
    KeyHandler handler;
} kKeyRules[] = {
    {kKeyTab, kKeyTab, &TabKey}, {kKeyLeft, kKeyDown, &ArrowKey}, {'3', '9', &DigitKey},
    {kKeyF8, kKeyF9, &AngleKey}, {kKeyF11, kKeyF12, &ZoomKey},
    // Backspace and Delete (Cut) and Enter (the object data) belong to
    // commands not built yet: the view leaves them alone.
};

}  // namespace

bool CGyrView::OnKeyDown(int key, unsigned flags, int repeat) {
    for (const auto& rule : kKeyRules)
        if (key >= rule.first && key <= rule.last) return rule.handler(*this, key, flags, repeat);
    return false;
}

void CGyrView::OnChar(unsigned ch) {
    // Control characters and the digits (the polygon keys) are not text;
    // nothing else is typed into the sheet while no text box is edited.
    (void)ch;
}

// A double click opens the object data, which are not built yet: it does
// nothing, rather than beep as if it could have worked.
void CGyrView::OnLButtonDblClk(unsigned, PixelPoint) {}

}  // namespace gyr
