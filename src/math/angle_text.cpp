#include "math/angle_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace gyr {

namespace {

constexpr double kPi = std::numbers::pi;

// Seconds this close to a whole number are that number: 60 degrees arrives
// here as 59.99999999999999 and must not be shown as 59:59:59.
constexpr double kWholeSecond = 1e-6;

// Degrees beyond this cannot be shown as an int anyway.
constexpr double kMaxSeconds = 3600.0 * std::numeric_limits<int>::max();

// Reads an optionally signed decimal integer at text[pos] (leading blanks
// skipped, as scanf's %d does) and advances pos past it; false when there is
// none or it does not fit.
bool ReadInt(const std::string& text, std::size_t& pos, int& out) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    std::size_t start = pos;
    if (start < text.size() && text[start] == '+') ++start;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    int value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{}) return false;
    out = value;
    pos = std::size_t(end - text.data());
    return true;
}

}  // namespace

Dms AngleToDms(double radians) {
    double seconds = radians * 180 / kPi * 3600;
    if (!std::isfinite(seconds)) return {};
    seconds = std::fmax(-kMaxSeconds, std::fmin(kMaxSeconds, seconds));
    const double whole = std::round(seconds);
    // Truncating whole seconds once gives the truncated degrees, minutes and
    // seconds of the chained formula without its rounding noise.
    const long long total =
        std::fabs(seconds - whole) < kWholeSecond ? (long long)whole : (long long)seconds;
    Dms dms;
    dms.d = int(total / 3600);
    const long long rest = total - (long long)dms.d * 3600;
    dms.m = int(rest / 60);
    dms.s = int(rest - dms.m * 60LL);
    if (dms.d < 0) {
        dms.m = -dms.m;
        dms.s = -dms.s;
    }
    return dms;
}

double DmsToAngle(const Dms& dms) {
    double m = dms.m, s = dms.s;
    if (dms.d < 0) {
        m = -m;
        s = -s;
    }
    return (s / 3600 + m / 60 + dms.d) * kPi / 180;
}

std::string FormatDms(double radians) {
    const Dms dms = AngleToDms(radians);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d:%d:%d", dms.d, dms.m, dms.s);
    return buf;
}

double ParseDms(const std::string& text) {
    Dms dms;
    std::size_t pos = 0;
    int* parts[] = {&dms.d, &dms.m, &dms.s};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size()) break;
            ++pos;  // the separator, whatever it is
        }
        if (!ReadInt(text, pos, *parts[i])) break;
    }
    return DmsToAngle(dms);
}

int PiDenominator(double a) {
    if (!(std::fabs(a) >= 1e-8)) return 0;
    // The nudge of 0.1 points away from zero on both sides, so that a
    // quotient just below a whole number still truncates onto it.
    const double q = (a > 0 ? kPi + 0.1 : -kPi - 0.1) / a;
    if (!(std::fabs(q) < std::numeric_limits<int>::max())) return 0;
    const int n = int(q);
    // The sign of a makes q positive; n is therefore positive too.
    const int signedN = a > 0 ? n : -n;
    if (n != 0 && std::fabs(kPi / signedN - a) < 1e-8) return signedN;
    return 0;
}

std::string FormatPiFraction(int denominator) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "pi/%d", denominator);
    return buf;
}

int ParsePiFraction(const std::string& text) {
    if (text.size() <= 3) return 0;
    std::size_t pos = 3;
    int n = 0;
    return ReadInt(text, pos, n) ? n : 0;
}

}  // namespace gyr
