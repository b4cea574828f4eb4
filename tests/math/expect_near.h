#pragma once
// Both coordinates of a world point within eps of the expected ones.

#include <gtest/gtest.h>

#include "math/world_point.h"

namespace gyr::testing {

inline void ExpectNear(const CWorldPoint& a, const CWorldPoint& b, double eps = 1e-9) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
}

}  // namespace gyr::testing
