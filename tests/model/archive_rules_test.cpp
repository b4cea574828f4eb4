// The container rules of the object archive: counts, the string prefixes and
// the 16-bit strings, the long reference forms past index 0x7FFE, and the
// damaged references every reader must refuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "model/archive.h"
#include "model/archive_builder.h"
#include "model/document.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

std::size_t Find(const Bytes& hay, std::string_view needle, std::size_t from = 0) {
    auto it =
        std::search(hay.begin() + std::ptrdiff_t(from), hay.end(), needle.begin(), needle.end());
    return it == hay.end() ? std::string::npos : std::size_t(it - hay.begin());
}
Bytes Slice(const Bytes& b, std::size_t from, std::size_t n) {
    return {b.begin() + std::ptrdiff_t(from), b.begin() + std::ptrdiff_t(from + n)};
}

class ArchiveRulesTest : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }
    // Loads bytes expecting a format error; returns its cause.
    CArchiveException::Cause Refused(const Bytes& bytes) {
        CGyrDoc target{ModelClasses()};
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
    CGyrDoc doc{ModelClasses()};
};

TEST_F(ArchiveRulesTest, CountsAndStringPrefixes) {
    CArchive ar;
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0x12345678);
    EXPECT_EQ(ar.Bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
    CArchive in(ar.Bytes().data(), ar.Bytes().size(), ModelClasses());
    EXPECT_EQ(in.ReadCount(), 0xFFFEu);
    EXPECT_EQ(in.ReadCount(), 0x12345678u);

    const std::pair<std::size_t, Bytes> cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
    };
    for (const auto& [length, prefix] : cases) {
        SCOPED_TRACE(length);
        std::string s(length, '\0');
        for (std::size_t i = 0; i < s.size(); ++i) s[i] = char(' ' + i * 7 % 95);
        CArchive out;
        out.WriteString(s);
        ASSERT_EQ(out.Bytes().size(), prefix.size() + length);
        EXPECT_EQ(Slice(out.Bytes(), 0, prefix.size()), prefix);
        CArchive back(out.Bytes().data(), out.Bytes().size(), ModelClasses());
        EXPECT_EQ(back.ReadString(), s);
        EXPECT_EQ(back.Remaining(), 0u);
    }
}

TEST_F(ArchiveRulesTest, SixteenBitStringsAreRead) {
    Builder shortForm;
    shortForm.U8(0xFF).U16(0xFFFE).U8(3).U16('a').U16(0xE9).U16(0x263A).U8('!');
    CArchive a(shortForm.b.data(), shortForm.b.size(), ModelClasses());
    EXPECT_EQ(a.ReadString(), "a\xC3\xA9\xE2\x98\xBA");  // UTF-8 in memory
    EXPECT_EQ(a.ReadU8(), '!');
    Builder big;
    big.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(2).U16('x').U16('y');
    CArchive c(big.b.data(), big.b.size(), ModelClasses());
    EXPECT_EQ(c.ReadString(), "xy");
    // A length beyond the data is the end of the file, before any allocation.
    Builder cut;
    cut.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U16('x');
    CArchive d(cut.b.data(), cut.b.size(), ModelClasses());
    try {
        d.ReadString();
        ADD_FAILURE() << "a cut 16-bit string was read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::EndOfFile);
    }
}

TEST_F(ArchiveRulesTest, The32768thClassAndObjectTakeTheLongForm) {
    // Sheet: class 1, object 2. Shapes: class 3, objects 4 .. 0x7FFE. The
    // base class then takes index 0x7FFF, its objects 0x8000 and 0x8001.
    const int shapes = 0x7FFE - 4 + 1;
    for (int i = 0; i < shapes; ++i) doc.Objects().push_back(new CShapeObj);
    doc.Objects().push_back(new CMyObj);
    doc.Objects().push_back(new CMyObj);
    doc.Objects().push_back(new CShapeObj);
    const Bytes b = doc.SaveToBytes();
    const std::size_t baseFields = 32 + 2, shapeFields = baseFields + 2 + 16 + 2 + 12 + 4;
    std::size_t pos = 103 + 6 + 9 + shapeFields + std::size_t(shapes - 1) * (2 + shapeFields);
    // Each class name appears exactly once; later objects use the short tag.
    EXPECT_EQ(Find(b, "CShapeObj"), 103u + 6);
    EXPECT_EQ(Find(b, "CShapeObj", 103 + 6 + 1), std::string::npos);
    EXPECT_EQ(Slice(b, pos - shapeFields - 2, 2), (Bytes{0x03, 0x80}));
    // New class at index 0x7FFF: still the 0xFFFF form.
    EXPECT_EQ(Slice(b, pos, 6), (Bytes{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}));
    pos += 12 + baseFields;
    // Its second object refers to the class in the long form.
    EXPECT_EQ(Slice(b, pos, 6), (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));
    pos += 6 + baseFields;
    EXPECT_EQ(Slice(b, pos, 2), (Bytes{0x03, 0x80}));  // an early class keeps its short tag
    EXPECT_EQ(b.size(), pos + 2 + shapeFields);
    CGyrDoc other{ModelClasses()};
    other.LoadFromBytes(b.data(), b.size());
    EXPECT_EQ(other.Objects()[std::size_t(shapes) + 2]->GetRuntimeClass(), &CMyObj::kClass);
    EXPECT_EQ(other.SaveToBytes(), b);

    // Object back-references: class 1, objects 2 .. 0x8000.
    std::vector<CMyObj> objs(0x7FFF);
    CArchive ar;
    for (const CMyObj& o : objs) ar.WriteObject(&o);
    const std::size_t end = ar.Bytes().size();
    ar.WriteObject(&objs[0x7FFC]);  // index 0x7FFE
    ar.WriteObject(&objs[0x7FFD]);  // index 0x7FFF
    ar.WriteObject(nullptr);
    EXPECT_EQ(Slice(ar.Bytes(), end, 10),
              (Bytes{0xFE, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(ArchiveRulesTest, DamagedReferencesAreRefused) {
    using C = CArchiveException;
    const Bytes sheet = Builder().U16(1).Sheet().b;
    EXPECT_NO_THROW(doc.LoadFromBytes(sheet.data(), sheet.size()));
    // A name of 64 bytes is refused for its length, before it is read.
    EXPECT_EQ(Refused(Builder().U16(1).U16(0xFFFF).U16(1).U16(64).Zeros(10).b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass("CAXES").SheetFields().b), C::BadFormat);
    EXPECT_EQ(Refused(Builder().U16(1).NewClass("CAxes", 2).SheetFields().b), C::BadFormat);

    auto twoObjects = [&](auto second) {
        Builder b;
        b.U16(2).Sheet();
        second(b);
        return b.Zeros(200).b;
    };
    const std::pair<const char*, void (*)(Builder&)> bad[] = {
        // Indices 1 (class) and 2 (object) are assigned; 3 is not.
        {"beyond the highest", [](Builder& b) { b.U16(0x0003); }},
        {"beyond, long form", [](Builder& b) { b.U16(0x7FFF).U32(0x00010000); }},
        {"an object twice", [](Builder& b) { b.U16(0x0002); }},
        {"an object as a class", [](Builder& b) { b.U16(0x8002); }},
        {"an unread class", [](Builder& b) { b.U16(0x8003); }},
        {"an unread class, long form", [](Builder& b) { b.U16(0x7FFF).U32(0x80000005); }},
        {"a null reference", [](Builder& b) { b.U16(0x0000); }},
    };
    for (const auto& [what, second] : bad) {
        SCOPED_TRACE(what);
        EXPECT_EQ(Refused(twoObjects(second)), C::BadFormat);
    }
    // The sheet class by back-reference is the control: it loads.
    Bytes ok = twoObjects([](Builder& b) { b.U16(0x8001).SheetFields(); });
    ok.resize(ok.size() - 200);
    EXPECT_NO_THROW(doc.LoadFromBytes(ok.data(), ok.size()));
    EXPECT_EQ(doc.Objects().size(), 2u);
    // Data that ends inside an object is the end of the file.
    EXPECT_EQ(Refused({sheet.begin(), sheet.end() - 1}), C::EndOfFile);
}

}  // namespace
}  // namespace gyr::testing
