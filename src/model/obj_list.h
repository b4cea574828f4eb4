#pragma once
// Free operations over object lists: the catalogue, a view's selection, the
// gesture list. "First" is the earliest in list order; nearest searches keep
// only strictly smaller distances, so the earliest candidate wins ties.

#include <vector>

#include "model/my_obj.h"

namespace gyr {

using CObList = std::vector<CMyObj*>;

// Angles, triangles, parallelograms and polygons: the figures with corners.
bool IsCornerFigure(const CMyObj* obj);

// The object of smallest DistanceTo among those accepted, below start;
// strictly smaller wins, so the earliest candidate keeps a tie. edge is set
// only when one is found.
template <class Accept>
CMyObj* NearestByDistance(const CObList& list, const CWorldPoint& p, int& edge, double start,
                          Accept accept) {
    CMyObj* found = nullptr;
    double best = start;
    for (CMyObj* obj : list) {
        if (!accept(obj)) continue;
        int e = 0;
        double d = obj->DistanceTo(p, e);
        if (d < best) {
            best = d;
            found = obj;
            edge = e;
        }
    }
    return found;
}

// Which objects the nearest-vertex search looks at.
enum class FigureFilter { CornerFigures, All };

// The object with the vertex nearest to p; part receives its list position
// (-1 when none).
CMyObj* FindNearestFigure(const CObList& list, const CWorldPoint& p, int& vertex, int& part,
                          FigureFilter filter);
CMyObj* FindNearestFigureExcept(CObList& list, const CWorldPoint& p, int& vertex, int& part,
                                CMyObj* excluded);
CMyObj* FindNearestShape(const CObList& list, const CWorldPoint& p, int& edge);
CMyObj* FindNearestObject(const CObList& list, const CWorldPoint& p, int& edge);
CMyObj* FindNearestObjectOfClasses(const CObList& list, const CRuntimeClass* const* classes,
                                   int count, const CWorldPoint& p, int& edge);
CMyObj* FindHandleAt(const CObList& list, const CWorldPoint& p, int& index);
CMyObj* FindNthOfClasses(const CObList& list, int n, const CRuntimeClass* const* classes,
                         int count);
CMyObj* FindNthOfClassesFromEnd(const CObList& list, int n, const CRuntimeClass* const* classes,
                                int count);
bool SnapToAnyVertex(const CObList& list, CWorldPoint& p, const CMyObj* excluded);
void DrawAll(const CObList& list, Canvas& dc);
void DrawInRect(const CObList& list, Canvas& dc, const PixelRect& r);
// Draws obj for a repaint of r: the sheet leaves out the labels beyond r.
void DrawObjectWithin(const CMyObj* obj, Canvas& dc, const PixelRect& r);
void MoveToEnd(CObList& list, CMyObj* obj);
void AppendClones(CObList& target, const CObList& source);
void DeleteAllObjects(CObList& list);
void SwapLists(CObList& a, CObList& b);
void RemoveAllOf(CObList& target, const CObList& source);
void AppendAll(CObList& target, const CObList& source);
// Removes the first occurrence; true when the list held it.
bool RemoveFromList(CObList& list, const CMyObj* obj);
bool ListContains(const CObList& list, const CMyObj* obj);
// The last object of the list when it is of exactly class c, else null.
CMyObj* LastObjectOfClass(const CObList& list, const CRuntimeClass* c);

}  // namespace gyr
