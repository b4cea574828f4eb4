// The view's keyboard rules, typed characters and the double click.

#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"
#include "model/axes.h"
#include "control/gyr_view.h"
#include "math/sheet_mapping.h"

namespace gyr {

namespace {

using KeyHandler = bool (*)(CGyrView& view, int key, unsigned flags, int repeat);

bool CutKey(CGyrView& view, int, unsigned, int) {
    const auto& hooks = CGyrView::GetHooks();
    if (hooks.isScriptRecording && hooks.isScriptRecording()) return true;
    if (view.m_selection.empty()) {
        view.Beep();
        return true;
    }
    if (hooks.cut) hooks.cut(view);
    return true;
}

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
    if (!view.m_selection.empty()) {
        const CMyObj* recent = view.m_selection.back();
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
    PixelRect dirty = view.SelectionRect();
    view.DeselectAll();
    view.Select(objects[target]);
    view.Repaint(dirty.United(objects[target]->GetInvalidRect()));
    return true;
}

bool EnterKey(CGyrView& view, int, unsigned, int) {
    if (view.m_selection.empty()) {
        view.Beep();
        return true;
    }
    if (auto objectData = CGyrView::GetHooks().objectData)
        objectData(view, view.m_selection.back());
    return true;
}

bool ArrowKey(CGyrView& view, int key, unsigned flags, int repeat) {
    if (flags & kMkShift) {
        CGyrDoc* doc = view.GetDocument();
        CMyObj* first = view.m_selection.empty() ? nullptr : view.m_selection.front();
        if (!first || !doc || !ListContains(doc->Objects(), first)) {
            view.Beep();
            return true;
        }
        first->DuplicateByKey(key, repeat);
        return true;
    }
    // Nothing to move: the platform may scroll instead.
    if (view.m_selection.empty()) return false;
    static constexpr PixelPoint kStep[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const PixelPoint d = kStep[key - kKeyLeft];
    view.Repaint(view.OffsetSelection(PixelDeltaToWorld(d.x, d.y)));
    view.SetUndoKind(3);
    return true;
}

bool DigitKey(CGyrView&, int key, unsigned, int) {
    SetPolygonSides(ProgramState().params, key - '0');
    return true;
}

bool AngleKey(CGyrView& view, int key, unsigned flags, int) {
    CMyObj* angle = nullptr;
    for (CMyObj* obj : view.m_selection)
        if (obj->IsAngle()) {
            angle = obj;
            break;
        }
    const auto angleKey = CGyrView::GetHooks().angleKey;
    if (!angle || !angleKey || !angleKey(view, angle, key, (flags & kMkControl) != 0)) view.Beep();
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
    {kKeyBack, kKeyBack, &CutKey},   {kKeyDelete, kKeyDelete, &CutKey},
    {kKeyTab, kKeyTab, &TabKey},     {kKeyReturn, kKeyReturn, &EnterKey},
    {kKeyLeft, kKeyDown, &ArrowKey}, {'3', '9', &DigitKey},
    {kKeyF8, kKeyF9, &AngleKey},     {kKeyF11, kKeyF12, &ZoomKey},
};

}  // namespace

bool CGyrView::OnKeyDown(int key, unsigned flags, int repeat) {
    for (const auto& rule : kKeyRules)
        if (key >= rule.first && key <= rule.last) return rule.handler(*this, key, flags, repeat);
    return false;
}

void CGyrView::OnChar(unsigned ch) {
    // Control characters and the digits (the polygon keys) are not text.
    if (ch < 0x20 || ch == 0x7F || (ch >= '1' && ch <= '9')) return;
    if (GetHooks().typeChar) GetHooks().typeChar(*this, ch);
}

void CGyrView::OnLButtonDblClk(unsigned flags, PixelPoint logical) {
    if (!m_pDocument || m_pDocument->Objects().empty()) return;
    CMyObj* target = nullptr;
    if (flags & kMkControl) {
        target = m_pDocument->Objects().front();
    } else {
        int hit = -1;
        CMyObj* obj = FindHandleAt(m_pDocument->Objects(), PixelToWorld(logical), hit);
        if (hit < 0) {
            Beep();
            return;
        }
        target = obj;
    }
    if (GetHooks().objectData) GetHooks().objectData(*this, target);
}

}  // namespace gyr
