#pragma once
// The text forms of angles: degrees:minutes:seconds ("%d:%d:%d"), radians
// ("%f") and fractions of pi ("pi/%d"). Dialogs and the object-data listing
// write and read angles only through these.

#include <string>

namespace gyr {

// Whole degrees, minutes and seconds, each truncated toward zero. When d is
// negative, m and s carry no sign; between -1 and 0 degrees d stays 0 and the
// minutes (or seconds) carry the sign.
struct Dms {
    int d = 0;
    int m = 0;
    int s = 0;
};

Dms AngleToDms(double radians);
// (s/3600 + m/60 + d) * pi/180, m and s negated first when d < 0.
double DmsToAngle(const Dms& dms);
std::string FormatDms(double radians);
// Three integers separated by any single characters ("30:15:0"); the parts
// that do not parse count as 0.
double ParseDms(const std::string& text);

// n when the angle is pi/n within 1e-8, otherwise 0 (also for |a| < 1e-8).
int PiDenominator(double radians);
// "pi/%d".
std::string FormatPiFraction(int denominator);
// The integer after the first three characters (the "pi/" prefix); 0 when
// there is none.
int ParsePiFraction(const std::string& text);

}  // namespace gyr
