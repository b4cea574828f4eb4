#include "constructions/intersections.h"

#include "figures/intersection_obj.h"
#include "figures/point_obj.h"
#include "model/document.h"
#include "port/host.h"

namespace gyr {

const char* const kNoIntersectionMessage =
    "Pardon me, it seems that the objects you selected, \nhave no intersection points\n";

int IntersectSelection(CGestureState& state) {
    CMyObj* shapes[2] = {nullptr, nullptr};
    int found = 0;
    for (CMyObj* obj : state.m_selection) {
        if (!obj || !obj->IsShape()) continue;
        shapes[found++] = obj;
        if (found == 2) break;
    }
    Host* host = FindHost();
    CGyrDoc* doc = state.Document();
    if (found < 2 || !doc) {
        if (host) host->Beep();
        return 0;
    }
    CIntersectionObj calc(shapes[0], shapes[1]);
    calc.Compute();
    if (calc.GetCount() == 0) {
        if (host) host->MessageBox(kNoIntersectionMessage, MsgIcon::Exclamation, MsgButtons::Ok);
        return 0;
    }
    int added = 0;
    CWorldPoint x;
    for (int i = 0; calc.GetPoint(i, x); ++i)
        if (AddPoint(*doc, x)) ++added;
    return added;
}

}  // namespace gyr
