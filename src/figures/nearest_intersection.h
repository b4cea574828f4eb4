#pragma once
// The intersection nearest to a point, over every pair of shapes of a list
// that are not points: the point tool's Ctrl search.

#include "model/obj_list.h"

namespace gyr {

// Over the ordered pairs (A, B), B after A in the list, both shapes and
// neither a point: the intersection point X with the smallest |X - p| below
// 1e10. Of equally near points the earliest wins: pairs in list order, points
// in the calculator's order. first and second are that pair (A, B), count its
// number of points. False, and the outputs untouched, when there is none.
//
// Pairs and edges whose boxes cannot hold a point as near as the best so far
// are never computed; the answer is that of the plain search below.
bool FindNearestIntersection(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                             CMyObj*& second, CWorldPoint& point, int& count);
// The same without the pair's point count, which costs one more full
// calculation of the winning pair.
bool FindNearestIntersection(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                             CMyObj*& second, CWorldPoint& point);

// The plain quadratic search, every pair through a fresh calculator: the
// reference the pruned search is measured and tested against.
bool FindNearestIntersectionAllPairs(const CObList& list, const CWorldPoint& p, CMyObj*& first,
                                     CMyObj*& second, CWorldPoint& point, int& count);

}  // namespace gyr
