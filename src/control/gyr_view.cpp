#include "control/gyr_view.h"

#include <cstdio>

#include "control/command_table.h"
#include "control/doc_commands.h"
#include "control/pick_rules.h"
#include "math/sheet_mapping.h"
#include "model/document.h"
#include "model/program_state.h"
#include "port/host.h"

namespace gyr {

void CGyrView::OnInitialUpdate() {
    m_state.m_selection.clear();
    if (GetDocument())
        for (CMyObj* obj : GetDocument()->Objects())
            if (obj->m_bSelected) m_state.m_selection.push_back(obj);
    OnCommand(ID_TRIANGLES_TOOL);
}

// ---------------------------------------------------------------- helpers

PixelRect CGyrView::OffsetSelection(const CWorldPoint& v) {
    PixelRect dirty;
    for (CMyObj* obj : m_state.m_selection) {
        if (GetDocument()) GetDocument()->WillChange(obj);
        dirty = dirty.United(obj->GetInvalidRect());
        obj->Offset(v);
        dirty = dirty.United(obj->GetInvalidRect());
    }
    return dirty;
}

void CGyrView::MoveSelectedTo(ListEnd end) {
    if (!GetDocument() || m_state.m_selection.empty()) {
        Beep();
        return;
    }
    CMyObj* obj = m_state.m_selection.front();
    if (end == ListEnd::First)
        GetDocument()->MakeFirst(obj);
    else
        GetDocument()->MakeLast(obj);
    Repaint(obj->GetInvalidRect());
}

// ---------------------------------------------------------------- commands

bool CGyrView::OnCommand(int id) {
    EndEditing();
    if (id == ID_EDIT_UNDO) return Undo(), true;
    if (id == ID_EDIT_REDO) return Redo(), true;
    // Each command is one undo step (dropped when it changed nothing).
    CUndoScope step(GetDocument(), StepName(id));
    if (RunEditCommand(id)) return true;
    const CommandEntry* cmd = FindCommand(id);
    if (!cmd) return GetDocument() && OnDocumentCommand(*GetDocument(), id);

    const bool shift = FindHost() && FindHost()->IsKeyDown(kKeyShift);
    const bool actionInstead = (cmd->flags & kCmdShiftAction) && shift;
    if ((cmd->flags & kCmdTool) && !actionInstead) {
        if (!(cmd->flags & kCmdKeepStage)) m_state.m_nStage = 0;
        m_state.m_nToolKind = cmd->kind;
        m_state.m_nToolCode = cmd->code;
        m_nCheckedButton = cmd->button;
        m_nToolCommand = cmd->id;
        if (cmd->group != kGroupNone) m_lastCommand[std::size_t(cmd->group)] = cmd->id;
        // A tool change abandons a half-finished construction.
        if (m_state.m_nStage == 0) m_state.ClearPicks();
    }
    // Tool rows with a dialog open it after the tool change (the graph);
    // shift rows open it instead of the tool change.
    const bool runAction = !(cmd->flags & kCmdShiftAction) || actionInstead;
    if (runAction && cmd->action) cmd->action(*this, shift);
    return true;
}

bool CGyrView::IsChecked(int id) const {
    if (id == ID_MATCH_POINTS || id == ID_MATCH_POINTS_ALT) return m_state.m_bMatchPoints;
    const CommandEntry* cmd = FindCommand(id);
    if (!cmd) return GetDocument() && IsDocumentCommandChecked(*GetDocument(), id);
    if (cmd->group != kGroupNone) return m_lastCommand[std::size_t(cmd->group)] == id;
    return m_nCheckedButton == id;
}

// ---------------------------------------------------------------- mode, cursor

bool CGyrView::IsPickMode() const {
    return PickTest(m_state.m_nToolKind, m_state.m_nToolCode, m_state.m_nStage);
}

int CGyrView::CursorId() const {
    if (IsPickMode()) {
        if (m_state.m_nToolKind == kToolReflect)
            return m_state.m_nStage == 0 ? kCursorReflect : kCursorReflectNext;
        if (m_state.m_nToolKind == kToolInvert)
            return m_state.m_nStage == 0 ? kCursorInvert : kCursorInvertNext;
        return m_bMouseDown ? kCursorPickPressed : kCursorPick;
    }
    static constexpr struct {
        int kind;
        int cursor;
    } kByKind[] = {
        {kToolSegment, kCursorStraight},
        {kToolLine, kCursorStraight},
        {kToolParallelogram, kCursorParallelogram},
        {kToolAngle, kCursorAngle},
        {kToolTriangle, kCursorTriangle},
        {kToolPolygon, kCursorPolygon},
        {kToolCircle, kCursorCircle},
        {kToolArc, kCursorArc},
        {kToolIsoptic, kCursorIsoptic},
        {kToolPointMark, kCursorPointMark},
        {kToolText, kCursorText},
        {kToolPictEmf, kCursorPicture},
        {kToolPictBmp, kCursorPicture},
    };
    for (const auto& e : kByKind)
        if (e.kind == m_state.m_nToolKind) return e.cursor;
    return kCursorArrow;
}

// ---------------------------------------------------------------- painting

void CGyrView::Paint(Canvas& dc, const PixelRect& r) const {
    if (const CGyrDoc* doc = GetDocument()) {
        if (m_bMouseDown) {
            if (!m_paintIndex.Matches(doc->Objects(), doc->CatalogueVersion()))
                m_paintIndex.Build(doc->Objects(), doc->CatalogueVersion());
            // What the gesture may be changing: its figures, the selection
            // and the picks.
            CObList moving = m_state.m_gesture;
            AppendAll(moving, m_state.m_selection);
            for (CMyObj* picked :
                 {m_state.m_pPicked, m_state.m_pFirstPicked, m_state.m_pSecondPicked})
                if (picked) moving.push_back(picked);
            DrawInRect(doc->Objects(), m_paintIndex, moving, dc, r);
        } else {
            DrawInRect(doc->Objects(), dc, r);
        }
    }
    for (const CMyObj* obj : m_state.m_selection) obj->DrawMarks(dc);
    if (m_nDragState == kDragRubberBand && !m_rubberBand.IsEmpty()) dc.DrawFocusRect(m_rubberBand);
}

CWorldPoint PixelDeltaToWorld(int dx, int dy) {
    const CSheetMapping& m = Mapping();
    return {double(dx) / m.unitX, double(-dy) / m.unitY};
}

std::string FormatCoordX(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "x= %.*f", 3, x);
    return buf;
}

std::string FormatCoordY(double y) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "y= %.*f", 3, y);
    return buf;
}

}  // namespace gyr
