// Untrusted bytes never make the reader allocate more than they justify: a
// small file that claims huge counts is loaded under a capped address space.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "model/archive.h"
#include "model/archive_builder.h"
#include "model/capped_run.h"
#include "model/document.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

// Padded to the 200 bytes of the claim.
Bytes P(Builder& b) {
    b.b.resize(std::max<std::size_t>(b.b.size(), 200), 0xAB);
    return b.b;
}

void LoadDocument(const Bytes& bytes) {
    LoadDocumentWith(ModelClasses(), bytes);
}

void ReadOneString(const Bytes& bytes) {
    CArchive ar(bytes.data(), bytes.size(), ModelClasses());
    ar.ReadString();
}

TEST(ArchiveBoundsTest, HugeClaimsInASmallFileAllocateLittle) {
    const std::vector<Bytes> documents = {
        // Object count 0xFFFFFFFF, then a plausible sheet.
        P(Builder().U16(0xFFFF).U32(0xFFFFFFFF).Sheet()),
        // Object count 0xFFFF in the long form's neighbourhood.
        P(Builder().U16(0xFFFE).Sheet()),
        // A shape claiming 0x7FFFFFFF vertices.
        P(Builder().U16(2).Sheet().NewClass("CShapeObj").ShapeHead().U32(0x7FFFFFFF)),
        // A class name claiming 0xFFFF bytes.
        P(Builder().U16(1).U16(0xFFFF).U16(1).U16(0xFFFF)),
        // Object index in the long form far beyond the data.
        P(Builder().U16(2).Sheet().U16(0x7FFF).U32(0x7FFFFFFF)),
        // Class index in the long form far beyond the data.
        P(Builder().U16(2).Sheet().U16(0x7FFF).U32(0xFFFFFFFF)),
    };
    const std::vector<Bytes> strings = {
        // 8-bit string of 0xFFFFFFFF bytes.
        P(Builder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF)),
        // 16-bit string of 0xFFFFFFFF characters.
        P(Builder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF)),
    };
    std::vector<std::function<void()>> checks;
    for (const Bytes& b : documents) checks.push_back([&b] { LoadDocument(b); });
    for (const Bytes& b : strings) checks.push_back([&b] { ReadOneString(b); });
    for (const Bytes& b : documents) ASSERT_EQ(b.size(), 200u);

    int status = RunCapped(checks);
    ASSERT_NE(status, kNoCap) << "the address-space cap could not be put in force";
    EXPECT_EQ(status, 0) << (status >= kFirstCheck && status < kFirstCheck + int(checks.size())
                                 ? "check " + std::to_string(status - kFirstCheck) +
                                       " was not refused as a format error"
                                 : "the child died (see the report above)");
}

}  // namespace
}  // namespace gyr::testing
