#pragma once
// What a mouse gesture works with: the tool (kind, code, stage), the objects
// picked so far, the selection and the objects the current gesture made.
// The view owns one; figures and constructions receive it by reference, so
// that none of them needs the controller.

#include "math/tangent_circles.h"
#include "model/ids.h"
#include "model/obj_list.h"

namespace gyr {

class CGyrDoc;

// How a point placed by the point tool came about.
enum class PointOrigin { Free, OnObject, Intersection, RotationCentre, HomothetyCentre };

// Receives the figures of finished gestures while a locus script records.
class CGestureRecorder {
public:
    virtual ~CGestureRecorder() = default;
    // first and second are the objects the point was taken from (null for
    // free points).
    virtual void RecordPoint(const CMyObj& point, PointOrigin origin, const CMyObj* first,
                             const CMyObj* second) = 0;
    virtual void RecordSegment(const CMyObj& segment, int toolCode) = 0;
    virtual void RecordCircle(const CMyObj& circle, int toolCode) = 0;
};

// What a construction took at its press (copies of the picked figures and
// the points it fixed), read while the pointer moves, so that the drag never
// reads the picks themselves.
struct CPressInput {
    TouchObject objects[2];
    CWorldPoint q[4];
};

class CGestureState {
public:
    CGestureState() = default;
    CGestureState(const CGestureState&) = delete;
    CGestureState& operator=(const CGestureState&) = delete;
    ~CGestureState();

    // Attaches to a document (detaching from the one before), so that the
    // document can drop its removed objects from the picks and lists here.
    void SetDocument(CGyrDoc* doc);
    CGyrDoc* Document() const { return m_pDocument; }

    // Selecting appends and sets the flag; deselecting removes and clears it.
    void Select(CMyObj* obj);
    void Deselect(CMyObj* obj);
    void DeselectAll();
    bool IsSelected(const CMyObj* obj) const { return ListContains(m_selection, obj); }
    // Union of the selected objects' repaint rectangles.
    PixelRect SelectionRect() const;

    // The object leaves the document: no pick, list or selection keeps it.
    void Forget(const CMyObj* obj);
    // The document was emptied.
    void ForgetAll();
    void ClearPicks() { m_pPicked = m_pFirstPicked = m_pSecondPicked = nullptr; }

    // Repaint request for a sheet rectangle (nothing without a host).
    void Repaint(const PixelRect& r) const;
    void Beep() const;

    int m_nToolKind = kToolTriangle;
    int m_nToolCode = kCodePlain;
    int m_nStage = 0;
    CMyObj* m_pPicked = nullptr;
    CMyObj* m_pFirstPicked = nullptr;
    // The middle pick of a three-pick construction.
    CMyObj* m_pSecondPicked = nullptr;
    // Edge (1-based, as DistanceTo) or vertex (0-based, corner picks).
    int m_nPart = 0;
    // The segment the first stage of a two-stage tool drew; the second stage
    // may absorb this one only.
    CMyObj* m_pFirstSide = nullptr;
    bool m_bMatchPoints = true;
    CObList m_selection;
    CObList m_gesture;
    CPressInput m_press;
    // Set while a locus script records; not owned.
    CGestureRecorder* m_pRecorder = nullptr;

private:
    CGyrDoc* m_pDocument = nullptr;
};

}  // namespace gyr
