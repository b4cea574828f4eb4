// Archive strings: UTF-8 in memory, Windows-1252 bytes or UTF-16 units in
// files, and every byte string of an old file surviving a round trip.

#include <gtest/gtest.h>

#include <vector>

#include "math/text_codec.h"
#include "model/archive.h"
#include "model/runtime_class.h"

namespace gyr {
namespace {

std::vector<std::uint8_t> Written(const std::string& s) {
    CArchive out;
    out.WriteString(s);
    return out.TakeBytes();
}

std::string ReadBack(const std::vector<std::uint8_t>& bytes) {
    CArchive in(bytes.data(), bytes.size(), ModelClasses());
    std::string s = in.ReadString();
    EXPECT_EQ(in.Remaining(), 0u);
    return s;
}

TEST(ArchiveStrings, NarrowAndWideFormsAsWritten) {
    EXPECT_EQ(Written("Caf\xC3\xA9"), (std::vector<std::uint8_t>{0x04, 'C', 'a', 'f', 0xE9}));
    EXPECT_EQ(Written("plain"), (std::vector<std::uint8_t>{5, 'p', 'l', 'a', 'i', 'n'}));
    // The euro sign is in the code page: one byte 0x80.
    EXPECT_EQ(Written("\xE2\x82\xAC"), (std::vector<std::uint8_t>{1, 0x80}));
    const std::string pi = "\xCF\x80 \xE2\x89\x88 3.14";
    const std::vector<std::uint8_t> wide{0xFF, 0xFE, 0xFF, 0x08, 0xC0, 0x03, 0x20,
                                         0x00, 0x48, 0x22, 0x20, 0x00, 0x33, 0x00,
                                         0x2E, 0x00, 0x31, 0x00, 0x34, 0x00};
    EXPECT_EQ(Written(pi), wide);
    EXPECT_EQ(ReadBack(wide), pi);
    // Beyond the basic plane: a surrogate pair, and back.
    const std::string smile = "\xF0\x9F\x98\x80";
    EXPECT_EQ(Written(smile),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(ReadBack(Written(smile)), smile);
    // Long strings take the longer length forms in both widths.
    const std::string longWide(300, 'a');
    EXPECT_EQ(ReadBack(Written(longWide + smile)), longWide + smile);
    EXPECT_EQ(Written(longWide).size(), 3u + 300u);
}

TEST(ArchiveStrings, EveryByteStringRoundTrips) {
    std::vector<std::uint8_t> file{0xFF, 0x00, 0x01};
    for (int b = 0; b < 256; ++b) file.push_back(std::uint8_t(b));
    const std::string text = ReadBack(file);
    EXPECT_EQ(Utf8Length(text), 256u);
    EXPECT_EQ(Written(text), file);
    // The five bytes the code page leaves free read as C1 controls.
    EXPECT_EQ(ReadBack({1, 0x81}), "\xC2\x81");
    EXPECT_EQ(ReadBack({1, 0x9D}), "\xC2\x9D");
}

TEST(ArchiveStrings, UnpairedSurrogatesAndDamagedLengths) {
    // A lone high and a lone low surrogate each become U+FFFD.
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 2, 0x00, 0xD8, 0x41, 0x00}),
              "\xEF\xBF\xBD"
              "A");
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 1, 0x00, 0xDC}), "\xEF\xBF\xBD");
    // 2^31 units announced in a short file: refused before anything is
    // allocated for them.
    std::vector<std::uint8_t> huge{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF,
                                   0xFF, 0x00, 0x00, 0x00, 0x80};
    huge.resize(100, 0x41);
    CArchive in(huge.data(), huge.size(), ModelClasses());
    EXPECT_THROW(in.ReadString(), CArchiveException);
    // Malformed UTF-8 in memory is written as replacement characters.
    EXPECT_EQ(ReadBack(Written("a\xFF")), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace gyr
