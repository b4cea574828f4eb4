#pragma once
// Text encodings of the program: strings are UTF-8 in memory; files hold
// Windows-1252 bytes or UTF-16 units. Every conversion is total: malformed
// input becomes U+FFFD, never an error.

#include <cstdint>
#include <string>
#include <vector>

namespace gyr {

// The code points of UTF-8 text; a malformed sequence gives one U+FFFD per
// byte that cannot start a character.
std::vector<char32_t> DecodeUtf8(const std::string& s);
void AppendUtf8(std::string& out, char32_t c);
// Valid UTF-8 of any bytes (invalid sequences replaced).
std::string SanitizeUtf8(const std::string& s);
// The number of characters (code points) of UTF-8 text.
std::size_t Utf8Length(const std::string& s);

// A Windows-1252 byte as a code point; the five bytes the code page leaves
// unassigned stand for the C1 controls of the same number, so every byte
// string survives a round trip.
char32_t Cp1252ToCodePoint(std::uint8_t b);
// The byte of a code point, or -1 when Windows-1252 lacks it.
int CodePointToCp1252(char32_t c);
std::string Cp1252ToUtf8(const std::uint8_t* p, std::size_t n);
// False when some character has no Windows-1252 byte.
bool Utf8ToCp1252(const std::string& s, std::string& out);

// UTF-16 units of UTF-8 text, and back (unpaired surrogates become U+FFFD).
std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(const char16_t* p, std::size_t n);

}  // namespace gyr
