#include "model/gesture_state.h"

#include "model/document.h"
#include "port/host.h"

namespace gyr {

CGestureState::~CGestureState() {
    if (m_pDocument) m_pDocument->DetachGestureState(this);
}

void CGestureState::SetDocument(CGyrDoc* doc) {
    if (doc == m_pDocument) return;
    if (m_pDocument) m_pDocument->DetachGestureState(this);
    ForgetAll();
    m_pDocument = doc;
    if (doc) doc->AttachGestureState(this);
}

void CGestureState::Select(CMyObj* obj) {
    if (!obj) return;
    // m_bSelected mirrors membership, so an object is never listed twice;
    // a clear flag spares the search (large selections stay linear).
    if (!obj->m_bSelected || !IsSelected(obj)) m_selection.push_back(obj);
    obj->m_bSelected = 1;
}

void CGestureState::Deselect(CMyObj* obj) {
    if (!obj) return;
    RemoveFromList(m_selection, obj);
    obj->m_bSelected = 0;
}

void CGestureState::DeselectAll() {
    for (CMyObj* obj : m_selection) obj->m_bSelected = 0;
    m_selection.clear();
}

PixelRect CGestureState::SelectionRect() const {
    PixelRect r;
    for (const CMyObj* obj : m_selection) r = r.United(obj->GetInvalidRect());
    return r;
}

void CGestureState::Forget(const CMyObj* obj) {
    RemoveFromList(m_selection, obj);
    RemoveFromList(m_gesture, obj);
    if (m_pPicked == obj) m_pPicked = nullptr;
    if (m_pFirstPicked == obj) m_pFirstPicked = nullptr;
    if (m_pSecondPicked == obj) m_pSecondPicked = nullptr;
    if (m_pFirstSide == obj) m_pFirstSide = nullptr;
}

void CGestureState::ForgetAll() {
    m_selection.clear();
    m_gesture.clear();
    ClearPicks();
    m_pFirstSide = nullptr;
}

void CGestureState::Repaint(const PixelRect& r) const {
    if (r.IsEmpty()) return;
    if (Host* host = FindHost()) host->Invalidate(r);
}

void CGestureState::Beep() const {
    if (Host* host = FindHost()) host->Beep();
}

}  // namespace gyr
