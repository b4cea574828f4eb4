#pragma once
// Entry points that the figures call into layers built on top of them: the
// nearest intersection of the point tool and the recording of finished
// gestures as locus-script steps. Each is null until its layer installs it;
// a null hook means "nothing found" or "not recording".

#include "model/obj_list.h"

namespace gyr {

class CCircleObj;
class CPointObj;
class CSegmentObj;

// How a point placed by the point tool came about.
enum class PointOrigin { Free, OnObject, Intersection, RotationCentre, HomothetyCentre };

struct CFigureHooks {
    // The intersection nearest p over all pairs of non-point shapes of the
    // list; false when there is none.
    bool (*nearestIntersection)(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                                CMyObj*& second, CWorldPoint& point) = nullptr;
    // Recording; each does nothing while recording is off. first and second
    // are the objects the point was taken from (null for free points).
    void (*recordPoint)(const CPointObj& point, PointOrigin origin, const CMyObj* first,
                        const CMyObj* second) = nullptr;
    void (*recordSegment)(const CSegmentObj& segment, int toolCode) = nullptr;
    void (*recordCircle)(const CCircleObj& circle, int toolCode) = nullptr;
};

CFigureHooks& FigureHooks();

}  // namespace gyr
