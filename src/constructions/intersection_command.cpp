#include "constructions/intersection_command.h"

#include "model/figure_hooks.h"
#include "figures/intersection_obj.h"
#include "figures/nearest_intersection.h"
#include "figures/point_obj.h"
#include "port/host.h"
#include "control/command_table.h"

namespace gyr {

const char* const kNoIntersectionMessage =
    "Pardon me, it seems that the objects you selected, \nhave no intersection points\n";

int IntersectSelection(const CObList& list) {
    CMyObj* shapes[2] = {nullptr, nullptr};
    int found = 0;
    for (CMyObj* obj : list) {
        if (!obj || !obj->IsShape()) continue;
        shapes[found++] = obj;
        if (found == 2) break;
    }
    Host* host = FindHost();
    if (found < 2) {
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
        if (AddPoint(x)) ++added;
    return added;
}

void RegisterIntersectionCommands() {
    SetCommandAction(ID_INTERSECTION,
                     [](CGyrView& view, bool) { IntersectSelection(view.m_selection); });
    FigureHooks().nearestIntersection = [](const CObList& list, const CWorldPoint& p,
                                           CMyObj*& first, CMyObj*& second, CWorldPoint& point) {
        return FindNearestIntersection(list, p, first, second, point);
    };
}

}  // namespace gyr
