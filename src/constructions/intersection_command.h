#pragma once
// Edit -> Intersection: a point at every common point of the first two shapes
// of the selection. Registration also gives the point tool its Ctrl search.

#include "model/obj_list.h"

namespace gyr {

extern const char* const kNoIntersectionMessage;

// Takes the first two shapes of the list (points included), in list order;
// with fewer it beeps. Adds a point at every intersection point in the
// calculator's order, coincident ones included, or reports that there is
// none. Returns the number of points added.
int IntersectSelection(const CObList& list);

// Installs the command's action and the point tool's nearest-intersection
// search. Calling it again changes nothing.
void RegisterIntersectionCommands();

}  // namespace gyr
