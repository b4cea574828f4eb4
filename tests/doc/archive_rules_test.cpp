// The container rules of the object archive: counts, the three string
// prefixes and the 16-bit strings, the long reference forms past index
// 0x7FFE, and the damaged references every reader must refuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "doc/archive.h"
#include "doc/document.h"
#include "doc/shape_obj.h"
#include "port/scripted_host.h"
#include "ui/axes.h"

namespace gyr {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian byte builder for hand-made files.
struct Builder {
    Bytes b;
    Builder& U8(std::uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Builder& U16(std::uint16_t v) { return U8(std::uint8_t(v)).U8(std::uint8_t(v >> 8)); }
    Builder& U32(std::uint32_t v) { return U16(std::uint16_t(v)).U16(std::uint16_t(v >> 16)); }
    Builder& Text(std::string_view s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Builder& Zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Builder& NewClass(std::string_view name, std::uint16_t schema = 1) {
        return U16(0xFFFF).U16(schema).U16(std::uint16_t(name.size())).Text(name);
    }
    // The fields of a sheet object: corners, flag, a 56-byte record.
    Builder& SheetFields() { return Zeros(32 + 2 + 56); }
};

std::size_t Find(const Bytes& hay, std::string_view needle, std::size_t from = 0) {
    auto it =
        std::search(hay.begin() + std::ptrdiff_t(from), hay.end(), needle.begin(), needle.end());
    return it == hay.end() ? std::string::npos : std::size_t(it - hay.begin());
}

class ArchiveRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.document = &doc;
        doc.OnNewDocument();
    }

    // Loads bytes expecting a format error; returns its cause.
    CArchiveException::Cause Refused(const Bytes& bytes) {
        CGyrDoc target;
        try {
            target.LoadFromBytes(bytes.data(), bytes.size());
        } catch (const CArchiveException& e) {
            EXPECT_TRUE(target.Objects().empty());
            return e.m_cause;
        }
        ADD_FAILURE() << "the bytes were accepted";
        return CArchiveException::Cause(-1);
    }

    ScriptedHost host;
    CGyrDoc doc;
};

TEST_F(ArchiveRulesTest, CountsTakeTheLongFormFromFFFF) {
    CArchive ar;
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0xFFFF);
    ar.WriteCount(0x12345678);
    EXPECT_EQ(ar.Bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x78,
                                 0x56, 0x34, 0x12}));
    CArchive in(ar.Bytes().data(), ar.Bytes().size());
    EXPECT_EQ(in.ReadCount(), 0xFFFEu);
    EXPECT_EQ(in.ReadCount(), 0xFFFFu);
    EXPECT_EQ(in.ReadCount(), 0x12345678u);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST_F(ArchiveRulesTest, StringPrefixesByLength) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string s(c.length, '\0');
        for (std::size_t i = 0; i < s.size(); ++i) s[i] = char(i * 7 + 255);
        CArchive ar;
        ar.WriteString(s);
        const Bytes& out = ar.Bytes();
        ASSERT_EQ(out.size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), out.begin()));
        CArchive in(out.data(), out.size());
        EXPECT_EQ(in.ReadString(), s);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST_F(ArchiveRulesTest, SixteenBitStringsAreRead) {
    Builder shortForm;
    shortForm.U8(0xFF).U16(0xFFFE).U8(3).U16('a').U16(0xE9).U16(0x263A).U8('!');
    CArchive a(shortForm.b.data(), shortForm.b.size());
    // Characters beyond 8 bits cannot be kept in 8-bit text.
    EXPECT_EQ(a.ReadString(), "a\xE9?");
    EXPECT_EQ(a.ReadU8(), '!');

    Builder mid;
    mid.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(300);
    for (int i = 0; i < 300; ++i) mid.U16(std::uint16_t('A' + i % 26));
    CArchive b(mid.b.data(), mid.b.size());
    std::string s = b.ReadString();
    ASSERT_EQ(s.size(), 300u);
    EXPECT_EQ(s[27], 'B');
    EXPECT_EQ(b.Remaining(), 0u);

    Builder big;
    big.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(2).U16('x').U16('y');
    CArchive c(big.b.data(), big.b.size());
    EXPECT_EQ(c.ReadString(), "xy");

    // A length beyond the data is the end of the file, before any allocation.
    Builder cut;
    cut.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U16('x');
    CArchive d(cut.b.data(), cut.b.size());
    try {
        d.ReadString();
        ADD_FAILURE() << "a cut 16-bit string was read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::EndOfFile);
    }
}

TEST_F(ArchiveRulesTest, ReferencesSwitchToTheLongFormAtIndex7FFF) {
    // Sheet: class 1, object 2. Shapes: class 3, objects 4 .. 0x7FFE. The
    // base class then takes index 0x7FFF, its objects 0x8000 and 0x8001.
    const int shapes = 0x7FFE - 4 + 1;
    for (int i = 0; i < shapes; ++i) doc.Objects().push_back(new CShapeObj);
    doc.Objects().push_back(new CMyObj);
    doc.Objects().push_back(new CMyObj);
    for (int i = 0; i < 3; ++i) doc.Objects().push_back(new CShapeObj);
    ASSERT_GT(doc.Objects().size(), 32767u);
    const Bytes b = doc.SaveToBytes();

    const std::size_t baseFields = 32 + 2;
    const std::size_t shapeFields = baseFields + 2 + 16 + 2 + 12 + 4;
    std::size_t pos = 103 + 6 + 9 + shapeFields + std::size_t(shapes - 1) * (2 + shapeFields);
    // Each class name appears exactly once.
    EXPECT_EQ(Find(b, "CShapeObj"), 103u + 6);
    EXPECT_EQ(Find(b, "CShapeObj", 103 + 6 + 1), std::string::npos);
    // The last shape before the switch used the short class tag 0x8003.
    EXPECT_EQ(b[pos - shapeFields - 2], 0x03);
    EXPECT_EQ(b[pos - shapeFields - 1], 0x80);
    // New class at index 0x7FFF: still the 0xFFFF form.
    ASSERT_EQ(Find(b, "CMyObj"), pos + 6);
    EXPECT_EQ((Bytes{b.begin() + std::ptrdiff_t(pos), b.begin() + std::ptrdiff_t(pos + 6)}),
              (Bytes{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}));
    pos += 12 + baseFields;
    // Its second object refers to the class in the long form.
    EXPECT_EQ((Bytes{b.begin() + std::ptrdiff_t(pos), b.begin() + std::ptrdiff_t(pos + 6)}),
              (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));
    pos += 6 + baseFields;
    // A class numbered early keeps its short tag.
    for (int i = 0; i < 3; ++i, pos += 2 + shapeFields) {
        EXPECT_EQ(b[pos], 0x03);
        EXPECT_EQ(b[pos + 1], 0x80);
    }
    EXPECT_EQ(b.size(), pos);

    CGyrDoc other;
    other.LoadFromBytes(b.data(), b.size());
    ASSERT_EQ(other.Objects().size(), doc.Objects().size());
    EXPECT_EQ(other.Objects()[std::size_t(shapes) + 2]->GetRuntimeClass(), &CMyObj::kClass);
    EXPECT_EQ(other.SaveToBytes(), b);
}

TEST_F(ArchiveRulesTest, ObjectBackReferencesUseTheLongFormToo) {
    // Class 1, objects 2 .. 0x8000.
    std::vector<CMyObj> objs(0x7FFF);
    CArchive ar;
    for (const CMyObj& o : objs) ar.WriteObject(&o);
    const std::size_t end = ar.Bytes().size();
    ar.WriteObject(&objs[0x7FFC]);  // index 0x7FFE
    ar.WriteObject(&objs[0x7FFD]);  // index 0x7FFF
    ar.WriteObject(nullptr);
    EXPECT_EQ((Bytes{ar.Bytes().begin() + std::ptrdiff_t(end), ar.Bytes().end()}),
              (Bytes{0xFE, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(ArchiveRulesTest, DamagedReferencesAreRefused) {
    using C = CArchiveException;
    const Bytes sheet = Builder().U16(1).NewClass("CAxes").SheetFields().b;
    EXPECT_NO_THROW(doc.LoadFromBytes(sheet.data(), sheet.size()));

    // A name of 64 bytes is refused for its length, before it is read.
    EXPECT_EQ(Refused(Builder().U16(1).U16(0xFFFF).U16(1).U16(64).Zeros(10).b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass(std::string(64, 'C')).Zeros(200).b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass(std::string(63, 'C')).Zeros(200).b), C::BadFormat);
    // Names are compared with their case; the schema must match.
    EXPECT_EQ(Refused(Builder().U16(1).NewClass("CAXES").SheetFields().b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass("CAxes", 2).SheetFields().b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass("CAxes", 0).SheetFields().b), C::BadFormat);

    auto twoObjects = [&](auto second) {
        Builder b;
        b.U16(2).NewClass("CAxes").SheetFields();
        second(b);
        return b.Zeros(200).b;
    };
    // Indices 1 (class) and 2 (object) are assigned; 3 is not.
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x0003); })), C::BadFormat);
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x7FFF).U32(0x00010000); })), C::BadFormat);
    // An object already read cannot appear a second time.
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x0002); })), C::BadFormat);
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x7FFF).U32(2); })), C::BadFormat);
    // Class tags must name a class that was read.
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x8000); })), C::BadFormat);
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x8002); })), C::BadFormat);
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x8003); })), C::BadFormat);
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x7FFF).U32(0x80000005); })), C::BadFormat);
    // A list holds objects, not null references.
    EXPECT_EQ(Refused(twoObjects([](Builder& b) { b.U16(0x0000); })), C::BadFormat);
    // The sheet class by back-reference is the control: it loads.
    Bytes ok = twoObjects([](Builder& b) { b.U16(0x8001).SheetFields(); });
    ok.resize(ok.size() - 200);
    EXPECT_NO_THROW(doc.LoadFromBytes(ok.data(), ok.size()));
    EXPECT_EQ(doc.Objects().size(), 2u);

    // Data that ends inside an object is the end of the file.
    EXPECT_EQ(Refused({sheet.begin(), sheet.end() - 1}), C::EndOfFile);
}

}  // namespace
}  // namespace gyr
