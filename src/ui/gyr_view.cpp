#include "ui/gyr_view.h"

namespace gyr {

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

}  // namespace gyr
