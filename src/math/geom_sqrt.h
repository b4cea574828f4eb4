#pragma once

namespace gyr {

// Stopping threshold of the Newton iteration: two successive iterates this
// close end it.
inline constexpr double kSqrtEps = 1e-24;

// The program's square root. 0 for every argument <= 0 and for NaN (never an
// error); +infinity for +infinity. Otherwise Newton's iteration
// g <- (g + x/g)/2 from g = (x + 1)/2, stopping when two successive iterates
// differ by at most kSqrtEps.
//
// The iteration runs on the argument scaled by an even power of two into
// [0.5, 2), which is exact and undone exactly afterwards. Unscaled, a huge
// argument needs hundreds of halving steps, and below about 1e-48 the absolute
// threshold would stop the iteration near 1e-24 instead of at the root. In
// floating point the iterates can also settle into a one-ulp cycle that never
// meets the threshold; after the first step Newton's iterates fall
// monotonically towards the root, so the loop ends as soon as one does not.
// The result is within one ulp of the correctly rounded root.
double GeomSqrt(double x);

}  // namespace gyr
