#include "model/obj_list.h"

#include <algorithm>

#include "model/axes.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

namespace {

bool IsOfClasses(const CMyObj* obj, const CRuntimeClass* const* classes, int count) {
    const CRuntimeClass* c = obj->GetRuntimeClass();
    for (int i = 0; i < count; ++i)
        if (classes[i] == c) return true;
    return false;
}

template <class It>
CMyObj* NthOfClasses(It first, It last, int n, const CRuntimeClass* const* classes, int count) {
    if (n < 0) return nullptr;
    for (; first != last; ++first) {
        if (!IsOfClasses(*first, classes, count)) continue;
        if (n-- == 0) return *first;
    }
    return nullptr;
}

}  // namespace

bool IsCornerFigure(const CMyObj* obj) {
    return obj->IsAngle() || obj->IsTriangle() || obj->IsRect() || obj->IsPolygon();
}

CMyObj* FindNearestFigure(const CObList& list, const CWorldPoint& p, int& vertex, int& part,
                          FigureFilter filter) {
    CMyObj* found = nullptr;
    double best = 1e10;
    part = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        CMyObj* obj = list[i];
        if (filter == FigureFilter::CornerFigures && !IsCornerFigure(obj)) continue;
        int v = 0;
        double d = obj->NearestVertex(p, v);
        if (d < best) {
            best = d;
            found = obj;
            vertex = v;
            part = int(i);
        }
    }
    return found;
}

CMyObj* FindNearestFigureExcept(CObList& list, const CWorldPoint& p, int& vertex, int& part,
                                CMyObj* excluded) {
    bool held = RemoveFromList(list, excluded);
    CMyObj* found = FindNearestFigure(list, p, vertex, part, FigureFilter::All);
    if (held) list.push_back(excluded);
    return found;
}

CMyObj* FindNearestShape(const CObList& list, const CWorldPoint& p, int& edge) {
    return NearestByDistance(list, p, edge, 1e10,
                             [](const CMyObj* o) { return o->IsShape() && !o->IsPoint(); });
}

CMyObj* FindNearestObject(const CObList& list, const CWorldPoint& p, int& edge) {
    return NearestByDistance(list, p, edge, 1e9, [](const CMyObj*) { return true; });
}

CMyObj* FindNearestObjectOfClasses(const CObList& list, const CRuntimeClass* const* classes,
                                   int count, const CWorldPoint& p, int& edge) {
    return NearestByDistance(list, p, edge, 1e9,
                             [&](const CMyObj* o) { return IsOfClasses(o, classes, count); });
}

CMyObj* FindHandleAt(const CObList& list, const CWorldPoint& p, int& index) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        int hit = (*it)->HitTest(p);
        if (hit >= 0) {
            index = hit;
            return *it;
        }
    }
    // The head is the sheet, which never hits: callers test the index.
    return list.empty() ? nullptr : list.front();
}

CMyObj* FindNthOfClasses(const CObList& list, int n, const CRuntimeClass* const* classes,
                         int count) {
    return NthOfClasses(list.begin(), list.end(), n, classes, count);
}

CMyObj* FindNthOfClassesFromEnd(const CObList& list, int n, const CRuntimeClass* const* classes,
                                int count) {
    return NthOfClasses(list.rbegin(), list.rend(), n, classes, count);
}

bool SnapToAnyVertex(const CObList& list, CWorldPoint& p, const CMyObj* excluded) {
    for (const CMyObj* obj : list)
        if (obj != excluded && obj->SnapToVertex(p)) return true;
    return false;
}

void DrawAll(const CObList& list, Canvas& dc) {
    for (const CMyObj* obj : list) obj->Draw(dc);
}

void DrawInRect(const CObList& list, Canvas& dc, const PixelRect& r) {
    for (const CMyObj* obj : list)
        if (obj->GetInvalidRect().Intersects(r)) DrawObjectWithin(obj, dc, r);
}

void DrawObjectWithin(const CMyObj* obj, Canvas& dc, const PixelRect& r) {
    if (obj->GetRuntimeClass() == &CAxes::kClass)
        static_cast<const CAxes*>(obj)->DrawWithin(dc, r);
    else
        obj->Draw(dc);
}

void MoveToEnd(CObList& list, CMyObj* obj) {
    if (RemoveFromList(list, obj)) list.push_back(obj);
}

void AppendClones(CObList& target, const CObList& source) {
    // Counted first: the source may be the target itself.
    const std::size_t n = source.size();
    for (std::size_t i = 0; i < n; ++i) target.push_back(source[i]->Clone());
}

void DeleteAllObjects(CObList& list) {
    // Head first, as the list would be emptied one by one, without the
    // quadratic cost of erasing from the front of a vector.
    CObList doomed;
    doomed.swap(list);
    for (CMyObj* obj : doomed) delete obj;
}

void SwapLists(CObList& a, CObList& b) {
    if (!a.empty() && !b.empty()) a.swap(b);
}

void RemoveAllOf(CObList& target, const CObList& source) {
    if (target.empty() || source.empty()) return;
    std::erase_if(target, [&](const CMyObj* o) { return ListContains(source, o); });
}

void AppendAll(CObList& target, const CObList& source) {
    const std::size_t n = source.size();
    for (std::size_t i = 0; i < n; ++i) target.push_back(source[i]);
}

bool RemoveFromList(CObList& list, const CMyObj* obj) {
    auto it = std::find(list.begin(), list.end(), obj);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool ListContains(const CObList& list, const CMyObj* obj) {
    return std::find(list.begin(), list.end(), obj) != list.end();
}

CMyObj* LastObjectOfClass(const CObList& list, const CRuntimeClass* c) {
    if (list.empty()) return nullptr;
    CMyObj* last = list.back();
    return last->GetRuntimeClass() == c ? last : nullptr;
}

}  // namespace gyr
