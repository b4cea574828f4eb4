#include "control/gyr_view.h"

#include <cstdio>

#include "model/document.h"
#include "port/host.h"
#include "control/command_table.h"
#include "control/pick_rules.h"
#include "math/sheet_mapping.h"

namespace gyr {

CGyrView::Hooks& CGyrView::GetHooks() {
    static Hooks hooks;
    return hooks;
}

void CGyrView::Select(CMyObj* obj) {
    if (!obj) return;
    // m_bSelected mirrors membership, so an object is never listed twice.
    if (!IsSelected(obj)) m_selection.push_back(obj);
    obj->m_bSelected = 1;
}

void CGyrView::Deselect(CMyObj* obj) {
    if (!obj) return;
    RemoveFromList(m_selection, obj);
    obj->m_bSelected = 0;
}

void CGyrView::DeselectAll() {
    for (CMyObj* obj : m_selection) obj->m_bSelected = 0;
    m_selection.clear();
}

PixelRect CGyrView::SelectionRect() const {
    PixelRect r;
    for (const CMyObj* obj : m_selection) r = r.United(obj->GetInvalidRect());
    return r;
}

void CGyrView::OnInitialUpdate() {
    m_selection.clear();
    if (m_pDocument)
        for (CMyObj* obj : m_pDocument->Objects())
            if (obj->m_bSelected) m_selection.push_back(obj);
    OnCommand(ID_TRIANGLES_TOOL);
}

// ---------------------------------------------------------------- helpers

void CGyrView::EndTextEdit() {
    if (m_pDocument && CGyrDoc::GetHooks().endTextEdit)
        CGyrDoc::GetHooks().endTextEdit(*m_pDocument);
}

void CGyrView::Repaint(const PixelRect& r) const {
    if (r.IsEmpty()) return;
    if (Host* host = FindHost()) host->Invalidate(r);
}

void CGyrView::Beep() const {
    if (Host* host = FindHost()) host->Beep();
}

void CGyrView::SetUndoKind(int kind) const {
    if (GetHooks().setUndoKind) GetHooks().setUndoKind(kind);
}

void CGyrView::SaveUndoCopies() {
    if (GetHooks().saveUndoCopies) GetHooks().saveUndoCopies(*this);
}

PixelRect CGyrView::OffsetSelection(const CWorldPoint& v) {
    PixelRect dirty;
    for (CMyObj* obj : m_selection) {
        dirty = dirty.United(obj->GetInvalidRect());
        obj->Offset(v);
        dirty = dirty.United(obj->GetInvalidRect());
    }
    return dirty;
}

void CGyrView::MakeFirstOrLast(bool first) {
    if (!m_pDocument || m_selection.empty()) {
        Beep();
        return;
    }
    CMyObj* obj = m_selection.front();
    if (first)
        m_pDocument->MakeFirst(obj);
    else
        m_pDocument->MakeLast(obj);
    Repaint(obj->GetInvalidRect());
}

// ---------------------------------------------------------------- commands

bool CGyrView::OnCommand(int id) {
    const CommandEntry* cmd = FindCommand(id);
    if (!cmd) return m_pDocument && m_pDocument->OnCommand(id);

    const bool shift = FindHost() && FindHost()->IsKeyDown(kKeyShift);
    if (cmd->flags & kCmdEdit) EndTextEdit();
    const bool actionInstead = (cmd->flags & kCmdShiftAction) && shift;
    if ((cmd->flags & kCmdTool) && !actionInstead) {
        EndTextEdit();
        if (!(cmd->flags & kCmdKeepStage)) m_nStage = 0;
        m_nToolKind = cmd->kind;
        m_nToolCode = cmd->code;
        m_nCheckedButton = cmd->button;
        if (cmd->group != kGroupNone) m_lastCommand[std::size_t(cmd->group)] = cmd->id;
        // A tool change abandons a half-finished construction.
        if (m_nStage == 0) m_pPicked = m_pFirstPicked = m_pSecondPicked = nullptr;
    }
    // Tool rows with a dialog open it after the tool change (the graph);
    // shift rows open it instead of the tool change.
    const bool runAction = !(cmd->flags & kCmdShiftAction) || actionInstead;
    if (runAction && cmd->action) cmd->action(*this, shift);
    return true;
}

bool CGyrView::IsChecked(int id) const {
    if (id == ID_MATCH_POINTS || id == ID_MATCH_POINTS_ALT) return m_bMatchPoints;
    const CommandEntry* cmd = FindCommand(id);
    if (!cmd) return m_pDocument && m_pDocument->IsChecked(id);
    if (cmd->group != kGroupNone) return m_lastCommand[std::size_t(cmd->group)] == id;
    return m_nCheckedButton == id;
}

// ---------------------------------------------------------------- mode, cursor

bool CGyrView::IsPickMode() const {
    return PickTest(m_nToolKind, m_nToolCode, m_nStage);
}

int CGyrView::CursorId() const {
    if (IsPickMode()) {
        if (m_nToolKind == kToolReflect) return m_nStage == 0 ? kCursorReflect : kCursorReflectNext;
        if (m_nToolKind == kToolInvert) return m_nStage == 0 ? kCursorInvert : kCursorInvertNext;
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
        if (e.kind == m_nToolKind) return e.cursor;
    return kCursorArrow;
}

// ---------------------------------------------------------------- painting

void CGyrView::Paint(Canvas& dc, const PixelRect& r) const {
    if (m_pDocument) DrawInRect(m_pDocument->Objects(), dc, r);
    for (const CMyObj* obj : m_selection) obj->DrawMarks(dc);
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
