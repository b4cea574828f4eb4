// Untrusted bytes never make the reader allocate more than they justify. A
// small file that claims huge counts is loaded in a child process whose
// address space may grow by only a few megabytes: an allocation sized from
// a claimed count fails there (or the sanitizer's allocator dies), and the
// child reports it.

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
#include "model/document.h"
#include "model/runtime_class.h"
#include "model/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr::testing {
namespace {

constexpr std::size_t kHeadroom = 16u << 20;
constexpr int kNoCap = 100;
constexpr int kFirstCheck = 10;

// Padded to the 200 bytes of the claim.
Bytes P(Builder& b) {
    b.b.resize(std::max<std::size_t>(b.b.size(), 200), 0xAB);
    return b.b;
}

std::size_t AddressSpaceInUse() {
    long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
        std::fclose(f);
    }
    return std::size_t(pages) * std::size_t(::sysconf(_SC_PAGESIZE));
}

// Runs each check in a child with the address space capped a few megabytes
// above its current size. Returns the child's exit status: 0 when every
// check threw a format error, kFirstCheck + index for the first one that
// did not, kNoCap when the cap could not be put in force; anything else is
// a death (a sanitizer's allocator exits with 1).
int RunCapped(const std::vector<std::function<void()>>& checks) {
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        rlimit cap{};
        if (::getrlimit(RLIMIT_AS, &cap) != 0) ::_exit(kNoCap);
        cap.rlim_cur = AddressSpaceInUse() + kHeadroom;
        if (cap.rlim_max != RLIM_INFINITY && cap.rlim_cur > cap.rlim_max) ::_exit(kNoCap);
        if (::setrlimit(RLIMIT_AS, &cap) != 0) ::_exit(kNoCap);
        // The cap is in force: a block of twice the headroom cannot be had.
        void* probe = ::mmap(nullptr, 2 * kHeadroom, PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (probe != MAP_FAILED) ::_exit(kNoCap);
        for (std::size_t i = 0; i < checks.size(); ++i) {
            try {
                checks[i]();
            } catch (const CArchiveException&) {
                continue;
            } catch (...) {
            }
            ::_exit(kFirstCheck + int(i));
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status)) return 200 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

void LoadDocument(const Bytes& bytes) {
    ScriptedHost host;
    CGyrDoc doc;
    doc.LoadFromBytes(bytes.data(), bytes.size());
}

void ReadOneString(const Bytes& bytes) {
    CArchive ar(bytes.data(), bytes.size());
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

TEST(ArchiveBoundsTest, NestedListsAreBoundedInDepth) {
    // Curves hold a nested object list after their shape fields; a chain of
    // curves each holding the next nests one level per link.
    const CRuntimeClass* curve = FindSerialClass("CompoObj");
    if (!curve) GTEST_SKIP() << "no class with a nested list yet";
    Builder b;
    b.U16(2).Sheet().NewClass("CompoObj").ShapeHead().U32(0);
    const int links = 4 * CArchive::kMaxDepth;
    for (int i = 0; i < links; ++i) b.U16(1).U16(0x8003).ShapeHead().U32(0);
    b.U16(0).Zeros(std::size_t(links) * 2);
    const Bytes bytes = b.b;
    int status = RunCapped({[&bytes] { LoadDocument(bytes); }});
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace gyr::testing
