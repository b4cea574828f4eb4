#pragma once
// The view's interaction state: tool, stage, selection and the gesture list.
// The mouse state machine and the tool table grow here.

#include "doc/obj_list.h"

namespace gyr {

class CGyrDoc;

class CGyrView {
public:
    explicit CGyrView(CGyrDoc* doc = nullptr) : m_pDocument(doc) {}

    CGyrDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CGyrDoc* doc) { m_pDocument = doc; }

    // Selecting appends and sets the flag; deselecting removes and clears it.
    void Select(CMyObj* obj);
    void Deselect(CMyObj* obj);
    void DeselectAll();
    bool IsSelected(const CMyObj* obj) const { return ListContains(m_selection, obj); }
    // Union of the selected objects' repaint rectangles.
    PixelRect SelectionRect() const;

    int m_nToolKind = 50;
    int m_nToolCode = 10000;
    int m_nStage = 0;
    CMyObj* m_pPicked = nullptr;
    CMyObj* m_pFirstPicked = nullptr;
    int m_nPart = 0;
    bool m_bMatchPoints = true;
    CObList m_selection;
    CObList m_gesture;

private:
    CGyrDoc* m_pDocument;
};

}  // namespace gyr
