#pragma once

namespace gyr {

// The program's square root: 0 for arguments <= 0 (and NaN), Newton's
// iteration g <- (g + x/g)/2 from g = (x + 1)/2 otherwise, stopping when two
// successive iterates differ by at most 1e-24. In floating point the iterates
// can settle into a one-ulp cycle that never gets that close, so the loop also
// ends once an iterate stops decreasing (after the first step Newton's
// iterates fall monotonically towards the root).
double GeomSqrt(double x);

}  // namespace gyr
