// The mouse state machine of the view: button-down in drawing or select
// mode, tracking per drag state, and the end of each kind of gesture.

#include "control/draw_operations.h"
#include "control/gyr_view.h"
#include "control/pick_rules.h"
#include "control/picture_commands.h"
#include "figures/isoptic_obj.h"
#include "figures/text_obj.h"
#include "math/sheet_mapping.h"
#include "model/axes.h"
#include "model/document.h"

namespace gyr {

namespace {

bool SelectsInsteadOfDrawing(int kind) {
    return kind == kToolSelect || kind == kToolPictEmf || kind == kToolPictBmp;
}

bool IsPictureTool(int kind) {
    return kind == kToolPictEmf || kind == kToolPictBmp;
}

PixelRect RectFromPoints(PixelPoint a, PixelPoint b) {
    return PixelRect{a.x, a.y, b.x, b.y}.Normalized();
}

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The four edges of a focus frame, each two pixels thick so that both the
// old and the new frame pixels are repainted.
void RepaintFrame(const CGyrView& view, const PixelRect& r) {
    if (r.IsEmpty()) return;
    view.Repaint({r.left - 1, r.top - 1, r.right + 1, r.top + 1});
    view.Repaint({r.left - 1, r.bottom - 1, r.right + 1, r.bottom + 1});
    view.Repaint({r.left - 1, r.top - 1, r.left + 1, r.bottom + 1});
    view.Repaint({r.right - 1, r.top - 1, r.right + 1, r.bottom + 1});
}

}  // namespace

// ---------------------------------------------------------------- button down

void CGyrView::OnLButtonDown(unsigned flags, PixelPoint logical) {
    EndEditing();
    m_ptMouse = logical;
    // The text tool clicked into a box edits it and makes nothing.
    if (m_state.m_nToolKind == kToolText && GetDocument() && !IsPickMode()) {
        if (CTextObj* box = TextBoxAt(GetDocument()->Objects(), PixelToWorld(logical))) {
            m_bMouseDown = false;
            m_nDragState = kDragNone;
            StartEditing(box);
            return;
        }
    }
    if (m_pWindow) m_pWindow->SetMouseCapture(true);
    BeginGestureStep();
    m_bMouseDown = true;
    m_nDragState = kDragDrawing;
    if (SelectsInsteadOfDrawing(m_state.m_nToolKind) || IsPickMode()) {
        m_nDragState = kDragSelecting;
        SelectModeButtonDown(flags, logical);
    } else {
        DrawingModeButtonDown(flags, logical);
    }
}

void CGyrView::SelectModeButtonDown(unsigned flags, PixelPoint logical) {
    const CWorldPoint p = PixelToWorld(logical);
    m_ptDown = m_ptLastDrag = logical;
    m_rubberBand = {};
    const bool shift = (flags & kMkShift) != 0;

    int hit = -1;
    CMyObj* obj = nullptr;
    // The picture tools frame an area of the screen; they never grab objects.
    if (GetDocument() && !IsPictureTool(m_state.m_nToolKind))
        obj = FindHandleAt(GetDocument()->Objects(), p, hit);
    m_nHitKind = hit;

    PixelRect dirty;
    auto clear = [&] {
        dirty = dirty.United(m_state.SelectionRect());
        m_state.DeselectAll();
    };
    bool marksChanged = true;
    if (hit < 0) {
        if (!shift) clear();
        m_nDragState = kDragRubberBand;
    } else if (hit >= 1) {
        clear();
        m_state.Select(obj);
        m_nDragState = kDragHandle;
    } else if (!m_state.IsSelected(obj)) {
        if (!shift) clear();
        m_state.Select(obj);
        m_nDragState = kDragMove;
    } else if (shift) {
        m_state.Deselect(obj);
        m_nDragState = kDragNone;
    } else {
        marksChanged = false;
        m_nDragState = kDragMove;
    }
    if (hit >= 0 && marksChanged) dirty = dirty.United(obj->GetInvalidRect());
    Repaint(dirty);
}

void CGyrView::DrawingModeButtonDown(unsigned flags, PixelPoint logical) {
    m_ptLastTracked = logical;
    CWorldPoint p = PixelToWorld(logical);
    PixelRect dirty = m_state.SelectionRect();
    m_state.DeselectAll();
    m_state.m_gesture.clear();
    if (!GetDocument()) {
        Repaint(dirty);
        return;
    }
    if (m_state.m_bMatchPoints) SnapToAnyVertex(GetDocument()->Objects(), p, nullptr);
    if (DrawOperation op = DrawOperationOf(m_state.m_nToolKind, m_state.m_nToolCode)) {
        if (CMyObj* obj = op(m_state, flags, p)) {
            if (!obj->m_pDocument) obj->m_pDocument = GetDocument();
            if (!ListContains(GetDocument()->Objects(), obj)) GetDocument()->AddObject(obj);
            if (!ListContains(m_state.m_gesture, obj)) m_state.m_gesture.push_back(obj);
            dirty = dirty.United(obj->GetInvalidRect());
        }
    }
    Repaint(dirty);
    // A press may leave its tool (Ctrl in the group operation).
    if (m_state.m_nToolKind == kToolSelect) OnCommand(ID_SELECT_TOOL);
}

// ---------------------------------------------------------------- move

void CGyrView::ShowCoords(PixelPoint logical) {
    if (!m_pWindow) return;
    const CWorldPoint w = PixelToWorld(logical);
    m_pWindow->SetStatusCoords(FormatCoordX(w.x), FormatCoordY(w.y));
}

void CGyrView::AutoScroll(PixelPoint logical) {
    if (!m_pWindow) return;
    const PixelRect client = m_pWindow->ClientRect();
    if (client.IsEmpty()) return;
    const int dx = logical.x < client.left ? -1 : logical.x >= client.right ? 1 : 0;
    const int dy = logical.y < client.top ? -1 : logical.y >= client.bottom ? 1 : 0;
    if (dx != 0 || dy != 0) m_pWindow->ScrollLines(dx, dy);
}

void CGyrView::SetRubberBand(const PixelRect& r) {
    RepaintFrame(*this, m_rubberBand);
    m_rubberBand = r;
    RepaintFrame(*this, m_rubberBand);
}

void CGyrView::OnMouseMove(unsigned flags, PixelPoint logical) {
    m_ptMouse = logical;
    ShowCoords(logical);
    if (!(flags & kMkLButton) || !m_bMouseDown) return;
    const CWorldPoint p = PixelToWorld(logical);

    if (m_nDragState == kDragDrawing) {
        AutoScroll(logical);
        m_ptLastTracked = logical;
        PixelRect dirty;
        // Tracking may reshape the gesture's other figures, never the list.
        const CObList gesture = m_state.m_gesture;
        for (CMyObj* obj : gesture) {
            dirty = dirty.United(obj->GetInvalidRect());
            obj->TrackLastVertex(m_state, p, flags, m_state.m_nToolCode);
            obj->RecalcBounds();
            dirty = dirty.United(obj->GetInvalidRect());
        }
        Repaint(dirty);
    } else if (m_nDragState == kDragRubberBand) {
        SetRubberBand(RectFromPoints(m_ptDown, logical));
    } else if (m_nDragState == kDragMove && !IsPickMode()) {
        AutoScroll(logical);
        if (logical == m_ptLastDrag) return;
        Repaint(OffsetSelection(
            PixelDeltaToWorld(logical.x - m_ptLastDrag.x, logical.y - m_ptLastDrag.y)));
        m_ptLastDrag = logical;
    } else if (m_nDragState == kDragHandle && !IsPickMode() && !m_state.m_selection.empty()) {
        AutoScroll(logical);
        CMyObj* obj = m_state.m_selection.front();
        if (GetDocument()) GetDocument()->WillChange(obj);
        Repaint(obj->MoveHandle(m_nHitKind, p));
    }
}

// ---------------------------------------------------------------- button up

void CGyrView::OnLButtonUp(unsigned flags, PixelPoint logical) {
    if (!m_bMouseDown) return;
    ForgetPaintIndex();
    if (m_pWindow) m_pWindow->SetMouseCapture(false);
    m_bMouseDown = false;
    const int state = m_nDragState;
    PixelRect dirty;
    if (state == kDragDrawing) {
        m_nDragState = kDragNone;
        EndDrawing(flags, PixelToWorld(logical), dirty);
    } else if (state == kDragHandle && !IsPickMode()) {
        m_nDragState = kDragNone;
        EndHandleDrag(logical, dirty);
    } else {
        // Still the rubber-band state: the frame is erased there.
        EndSelectOrPick(flags, logical, dirty);
        m_nDragState = kDragNone;
    }
    if (GetDocument()) GetDocument()->SetModifiedFlag();
    Repaint(dirty);
    EndGestureStep(state);
}

void CGyrView::BeginGestureStep() {
    // A press whose release never came still closes its step first.
    if (m_bGestureStep) EndGestureStep(kDragNone);
    if (!GetDocument()) return;
    GetDocument()->History().Begin("Drawing");
    m_bGestureStep = true;
    m_bPickGesture = IsPickMode() || IsPictureTool(m_state.m_nToolKind);
}

void CGyrView::EndGestureStep(int dragState) {
    if (!m_bGestureStep) return;
    m_bGestureStep = false;
    CGyrDoc* doc = GetDocument();
    if (!doc) return;
    // Picks are named by their tool ("Reflexion"), the rest by the gesture.
    std::string name = m_bPickGesture ? StepName(m_nToolCommand) : std::string();
    if (name.empty() && dragState == kDragHandle)
        name = "Reshape";
    else if (name.empty() && dragState != kDragDrawing)
        name = "Move";
    if (name.empty()) name = "Drawing";
    doc->History().SetName(name);
    doc->History().End();
}

void CGyrView::DropDegenerate(PixelRect& dirty) {
    const CObList gesture = m_state.m_gesture;
    for (CMyObj* obj : gesture) {
        if (!obj->IsDegenerate()) continue;
        dirty = dirty.United(obj->GetInvalidRect());
        RemoveFromList(m_state.m_gesture, obj);
        m_state.Deselect(obj);
        if (m_state.m_pPicked == obj) m_state.m_pPicked = nullptr;
        if (m_state.m_pFirstPicked == obj) m_state.m_pFirstPicked = nullptr;
        if (m_state.m_pSecondPicked == obj) m_state.m_pSecondPicked = nullptr;
        if (GetDocument()) GetDocument()->RemoveObject(obj);
    }
}

void CGyrView::EndDrawing(unsigned flags, CWorldPoint p, PixelRect& dirty) {
    if (!m_state.m_gesture.empty()) {
        DropDegenerate(dirty);
        if (!m_state.m_gesture.empty()) {
            // The figure's own vertices are no target: a short figure would
            // otherwise collapse onto its first point.
            if (m_state.m_bMatchPoints && GetDocument())
                for (const CMyObj* obj : GetDocument()->Objects())
                    if (!ListContains(m_state.m_gesture, obj) && obj->SnapToVertex(p)) break;
            const CObList gesture = m_state.m_gesture;
            for (CMyObj* obj : gesture) {
                m_state.Select(obj);
                dirty = dirty.United(obj->Track(m_state, p, flags));
                dirty = dirty.United(obj->GetInvalidRect());
            }
            // Snapping onto a point the figure started from leaves nothing.
            DropDegenerate(dirty);
        }
    }
    // The isoptic tools may end the gesture themselves, building the cubic
    // instead of the figures' own end.
    if (!FinishIsopticGesture(m_state, flags, p)) {
        const CObList gesture = m_state.m_gesture;
        for (CMyObj* obj : gesture) obj->EndTrack(m_state, flags, p);
    }
}

void CGyrView::EndHandleDrag(PixelPoint logical, PixelRect& dirty) {
    if (!m_state.m_bMatchPoints || !GetDocument() || m_state.m_selection.empty()) return;
    CMyObj* obj = m_state.m_selection.front();
    CWorldPoint p = PixelToWorld(logical);
    if (SnapToAnyVertex(GetDocument()->Objects(), p, obj) && obj->IsShape() && m_nHitKind >= 1 &&
        m_nHitKind <= obj->GetVertexCount()) {
        GetDocument()->WillChange(obj);
        dirty = dirty.United(obj->MoveHandle(m_nHitKind, p));
    }
}

void CGyrView::SelectInFrame(const PixelRect& frame, PixelRect& dirty) {
    if (!GetDocument()) return;
    for (CMyObj* obj : GetDocument()->Objects()) {
        // The sheet is never selected: Cut and the copies must not reach it.
        if (obj->m_bSelected || obj == GetDocument()->Sheet() ||
            !Inside(obj->GetPixelBounds().Normalized(), frame))
            continue;
        m_state.Select(obj);
        dirty = dirty.United(obj->GetInvalidRect());
    }
}

void CGyrView::EndSelectOrPick(unsigned flags, PixelPoint logical, PixelRect& dirty) {
    const CWorldPoint p = PixelToWorld(logical);
    if (m_nDragState == kDragRubberBand) {
        const PixelRect frame = m_rubberBand;
        SetRubberBand({});
        if (!frame.IsEmpty()) SelectInFrame(frame, dirty);
        if (!frame.IsEmpty() && IsPictureTool(m_state.m_nToolKind))
            MakeRestrictedPicture(m_state, m_state.m_nToolKind, frame);
    }

    if (!IsPickMode()) {
        if (m_state.m_selection.size() == 1 && (flags & kMkControl)) Glue(p, dirty);
        return;
    }
    // The angle tools find their corner by position, so they may run with
    // nothing selected.
    if (m_state.m_selection.empty() && m_state.m_nToolCode != kCodeDivideAngle &&
        m_state.m_nToolCode != kCodeArcOnAngle) {
        Beep();
        return;
    }
    RunPickRule(m_state, flags, p);
}

void CGyrView::Glue(const CWorldPoint& p, PixelRect& dirty) {
    if (!GetDocument()) return;
    CMyObj* obj = m_state.m_selection.front();
    int vertex = 0;
    obj->NearestVertex(p, vertex);
    const CWorldPoint from = obj->GetHandle(vertex);
    int otherVertex = 0, part = 0;
    CMyObj* other = FindNearestFigureExcept(GetDocument()->Objects(), from, otherVertex, part, obj);
    if (!other) return;
    dirty = dirty.United(obj->GetInvalidRect());
    GetDocument()->WillChange(obj);
    obj->Offset(other->GetHandle(otherVertex) - from);
    dirty = dirty.United(obj->GetInvalidRect());
}

}  // namespace gyr
