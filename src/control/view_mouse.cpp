// The mouse state machine of the view: button-down in drawing or select
// mode, tracking per drag state, and the end of each kind of gesture.

#include "model/document.h"
#include "control/draw_operations.h"
#include "control/gyr_view.h"
#include "control/pick_rules.h"
#include "math/sheet_mapping.h"

namespace gyr {

namespace {

// The drawing operation of each tool kind. The kinds without one yet get
// theirs with the figures they draw; a null entry draws nothing.
constexpr struct {
    int kind;
    DrawOperation op;
} kDrawOperations[] = {
    {kToolSegment, &DrawSegmentTool},
    {kToolLine, &DrawLineTool},
    {kToolParallelogram, nullptr},
    {kToolAngle, &DrawAngleTool},
    {kToolTriangle, &DrawTriangleTool},
    {kToolPolygon, nullptr},
    {kToolCircle, &DrawCircleTool},
    {kToolArc, &DrawArcTool},
    {kToolIsoptic, nullptr},
    {kToolPointMark, &DrawPointTool},
    {kToolText, nullptr},
};

DrawOperation DrawOperationOf(int kind) {
    for (const auto& e : kDrawOperations)
        if (e.kind == kind) return e.op;
    return nullptr;
}

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
    if (m_pWindow) m_pWindow->SetMouseCapture(true);
    m_bMouseDown = true;
    m_nDragState = kDragDrawing;
    EndTextEdit();
    if (SelectsInsteadOfDrawing(m_nToolKind) || IsPickMode()) {
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
    if (m_pDocument && !IsPictureTool(m_nToolKind))
        obj = FindHandleAt(m_pDocument->Objects(), p, hit);
    m_nHitKind = hit;

    PixelRect dirty;
    auto clear = [&] {
        dirty = dirty.United(SelectionRect());
        DeselectAll();
    };
    bool marksChanged = true;
    if (hit < 0) {
        if (!shift) clear();
        m_nDragState = kDragRubberBand;
    } else if (hit >= 1) {
        clear();
        Select(obj);
        m_nDragState = kDragHandle;
    } else if (!IsSelected(obj)) {
        if (!shift) clear();
        Select(obj);
        m_nDragState = kDragMove;
    } else if (shift) {
        Deselect(obj);
        m_nDragState = kDragNone;
    } else {
        marksChanged = false;
        m_nDragState = kDragMove;
    }
    if (hit >= 0) {
        if (marksChanged) dirty = dirty.United(obj->GetInvalidRect());
        SaveUndoCopies();
    }
    Repaint(dirty);
}

void CGyrView::DrawingModeButtonDown(unsigned flags, PixelPoint logical) {
    CWorldPoint p = PixelToWorld(logical);
    PixelRect dirty = SelectionRect();
    DeselectAll();
    m_gesture.clear();
    if (!m_pDocument) {
        Repaint(dirty);
        return;
    }
    if (m_bMatchPoints) SnapToAnyVertex(m_pDocument->Objects(), p, nullptr);
    if (DrawOperation op = DrawOperationOf(m_nToolKind)) {
        if (CMyObj* obj = op(*this, flags, p)) {
            if (!obj->m_pDocument) obj->m_pDocument = m_pDocument;
            if (!ListContains(m_pDocument->Objects(), obj)) m_pDocument->AddObject(obj);
            if (!ListContains(m_gesture, obj)) m_gesture.push_back(obj);
            dirty = dirty.United(obj->GetInvalidRect());
        }
    }
    Repaint(dirty);
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
    ShowCoords(logical);
    if (!(flags & kMkLButton) || !m_bMouseDown) return;
    const CWorldPoint p = PixelToWorld(logical);

    if (m_nDragState == kDragDrawing) {
        AutoScroll(logical);
        PixelRect dirty;
        // Tracking may reshape the gesture's other figures, never the list.
        const CObList gesture = m_gesture;
        for (CMyObj* obj : gesture) {
            dirty = dirty.United(obj->GetInvalidRect());
            obj->TrackLastVertex(this, p, flags, m_nToolCode);
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
        SetUndoKind(3);
    } else if (m_nDragState == kDragHandle && !IsPickMode() && !m_selection.empty()) {
        AutoScroll(logical);
        Repaint(m_selection.front()->MoveHandle(m_nHitKind, p));
        SetUndoKind(3);
    }
}

// ---------------------------------------------------------------- button up

void CGyrView::OnLButtonUp(unsigned flags, PixelPoint logical) {
    if (!m_bMouseDown) return;
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
    if (m_pDocument) m_pDocument->SetModifiedFlag();
    Repaint(dirty);
}

void CGyrView::DropDegenerate(PixelRect& dirty) {
    const CObList gesture = m_gesture;
    for (CMyObj* obj : gesture) {
        if (!obj->IsDegenerate()) continue;
        dirty = dirty.United(obj->GetInvalidRect());
        RemoveFromList(m_gesture, obj);
        Deselect(obj);
        if (m_pPicked == obj) m_pPicked = nullptr;
        if (m_pFirstPicked == obj) m_pFirstPicked = nullptr;
        if (m_pSecondPicked == obj) m_pSecondPicked = nullptr;
        if (m_pDocument) m_pDocument->RemoveObject(obj);
    }
}

void CGyrView::EndDrawing(unsigned flags, CWorldPoint p, PixelRect& dirty) {
    if (!m_gesture.empty()) {
        DropDegenerate(dirty);
        if (!m_gesture.empty()) {
            // The figure's own vertices are no target: a short figure would
            // otherwise collapse onto its first point.
            if (m_bMatchPoints && m_pDocument)
                for (const CMyObj* obj : m_pDocument->Objects())
                    if (!ListContains(m_gesture, obj) && obj->SnapToVertex(p)) break;
            const CObList gesture = m_gesture;
            for (CMyObj* obj : gesture) {
                Select(obj);
                dirty = dirty.United(obj->Track(this, p, flags));
                dirty = dirty.United(obj->GetInvalidRect());
            }
            // Snapping onto a point the figure started from leaves nothing.
            DropDegenerate(dirty);
        }
    }
    const auto endIsoptic = GetHooks().endIsopticGesture;
    if (!(endIsoptic && endIsoptic(*this, flags, p))) {
        const CObList gesture = m_gesture;
        for (CMyObj* obj : gesture) obj->EndTrack(this, flags, p);
    }
    SetUndoKind(0);
}

void CGyrView::EndHandleDrag(PixelPoint logical, PixelRect& dirty) {
    if (!m_bMatchPoints || !m_pDocument || m_selection.empty()) return;
    CMyObj* obj = m_selection.front();
    CWorldPoint p = PixelToWorld(logical);
    if (SnapToAnyVertex(m_pDocument->Objects(), p, obj) && obj->IsShape() && m_nHitKind >= 1 &&
        m_nHitKind <= obj->GetVertexCount())
        dirty = dirty.United(obj->MoveHandle(m_nHitKind, p));
}

void CGyrView::SelectInFrame(const PixelRect& frame, PixelRect& dirty) {
    if (!m_pDocument) return;
    for (CMyObj* obj : m_pDocument->Objects()) {
        if (obj->m_bSelected || !Inside(obj->GetPixelBounds().Normalized(), frame)) continue;
        Select(obj);
        dirty = dirty.United(obj->GetInvalidRect());
    }
}

void CGyrView::EndSelectOrPick(unsigned flags, PixelPoint logical, PixelRect& dirty) {
    const CWorldPoint p = PixelToWorld(logical);
    if (m_nDragState == kDragRubberBand) {
        const PixelRect frame = m_rubberBand;
        SetRubberBand({});
        if (!frame.IsEmpty()) {
            SelectInFrame(frame, dirty);
            const auto picture = GetHooks().restrictedPicture;
            if (IsPictureTool(m_nToolKind) && picture && m_pDocument) {
                if (CMyObj* pict = picture(*this, frame, m_nToolKind)) {
                    dirty = dirty.United(SelectionRect());
                    DeselectAll();
                    // Offset so that it lies visibly over the framed area.
                    pict->Offset({0.1, -0.1});
                    if (!pict->m_pDocument) pict->m_pDocument = m_pDocument;
                    pict->AddToDocument();
                    Select(pict);
                    dirty = dirty.United(pict->GetInvalidRect());
                }
            }
        }
        SaveUndoCopies();
    }

    if (!IsPickMode()) {
        if (m_selection.size() == 1 && (flags & kMkControl)) Glue(p, dirty);
        return;
    }
    // The angle tools find their corner by position, so they may run with
    // nothing selected.
    if (m_selection.empty() && m_nToolCode != 401 && m_nToolCode != 802) {
        Beep();
        return;
    }
    RunPickRule(*this, flags, p);
}

void CGyrView::Glue(const CWorldPoint& p, PixelRect& dirty) {
    if (!m_pDocument) return;
    CMyObj* obj = m_selection.front();
    int vertex = 0;
    obj->NearestVertex(p, vertex);
    const CWorldPoint from = obj->GetHandle(vertex);
    int otherVertex = 0, part = 0;
    CMyObj* other = FindNearestFigureExcept(m_pDocument->Objects(), from, otherVertex, part, obj);
    if (!other) return;
    dirty = dirty.United(obj->GetInvalidRect());
    obj->Offset(other->GetHandle(otherVertex) - from);
    dirty = dirty.United(obj->GetInvalidRect());
}

}  // namespace gyr
