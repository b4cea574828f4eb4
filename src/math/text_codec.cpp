#include "math/text_codec.h"

namespace gyr {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Bytes 0x80 to 0x9F of Windows-1252.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// One code point from s at i (advanced); U+FFFD for a malformed sequence.
char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    const unsigned char c = s[i++];
    if (c < 0x80) return c;
    int extra;
    char32_t cp;
    char32_t min;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
        return kReplacement;
    }
    std::size_t j = i;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size() || !IsContinuation(static_cast<unsigned char>(s[j]))) return kReplacement;
        cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    i = j;
    return cp;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(const std::string& s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) out.push_back(NextCodePoint(s, i));
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string SanitizeUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) AppendUtf8(out, NextCodePoint(s, i));
    return out;
}

std::size_t Utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) NextCodePoint(s, i);
    return n;
}

char32_t Cp1252ToCodePoint(std::uint8_t b) {
    return b >= 0x80 && b < 0xA0 ? char32_t(kHigh1252[b - 0x80]) : char32_t(b);
}

int CodePointToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
    for (int k = 0; k < 32; ++k)
        if (kHigh1252[k] == c) return 0x80 + k;
    return -1;
}

std::string Cp1252ToUtf8(const std::uint8_t* p, std::size_t n) {
    std::string out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] < 0x80)
            out += char(p[i]);
        else
            AppendUtf8(out, Cp1252ToCodePoint(p[i]));
    }
    return out;
}

bool Utf8ToCp1252(const std::string& s, std::string& out) {
    out.clear();
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            out += char(c);
            ++i;
            continue;
        }
        // A malformed byte reads as U+FFFD, which the code page lacks.
        const int b = CodePointToCp1252(NextCodePoint(s, i));
        if (b < 0) return false;
        out += char(b);
    }
    return true;
}

std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = NextCodePoint(s, i);
        if (c < 0x10000) {
            out += char16_t(c);
        } else {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(const char16_t* p, std::size_t n) {
    std::string out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = p[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace gyr
