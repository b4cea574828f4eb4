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

#include "doc/archive.h"
#include "doc/document.h"
#include "doc/runtime_class.h"
#include "doc/shape_obj.h"
#include "port/scripted_host.h"

namespace gyr {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHeadroom = 16u << 20;
constexpr int kNoCap = 100;
constexpr int kFirstCheck = 10;

struct Builder {
    Bytes b;
    Builder& U8(std::uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Builder& U16(std::uint16_t v) { return U8(std::uint8_t(v)).U8(std::uint8_t(v >> 8)); }
    Builder& U32(std::uint32_t v) { return U16(std::uint16_t(v)).U16(std::uint16_t(v >> 16)); }
    Builder& Text(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Builder& Zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Builder& NewClass(const std::string& name) {
        return U16(0xFFFF).U16(1).U16(std::uint16_t(name.size())).Text(name);
    }
    Builder& Sheet() { return NewClass("CAxes").Zeros(32 + 2 + 56); }
    // Corners, flag, pen, brush; the vertex count follows.
    Builder& ShapeHead() { return Zeros(32 + 2 + 2 + 16 + 2 + 12); }
    // Padded to the 200 bytes of the claim.
    Bytes Padded() {
        b.resize(std::max<std::size_t>(b.size(), 200), 0xAB);
        return b;
    }
};

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
        Builder().U16(0xFFFF).U32(0xFFFFFFFF).Sheet().Padded(),
        // Object count 0xFFFF in the long form's neighbourhood.
        Builder().U16(0xFFFE).Sheet().Padded(),
        // A shape claiming 0x7FFFFFFF vertices.
        Builder().U16(2).Sheet().NewClass("CShapeObj").ShapeHead().U32(0x7FFFFFFF).Padded(),
        // A class name claiming 0xFFFF bytes.
        Builder().U16(1).U16(0xFFFF).U16(1).U16(0xFFFF).Padded(),
        // Object index in the long form far beyond the data.
        Builder().U16(2).Sheet().U16(0x7FFF).U32(0x7FFFFFFF).Padded(),
        // Class index in the long form far beyond the data.
        Builder().U16(2).Sheet().U16(0x7FFF).U32(0xFFFFFFFF).Padded(),
    };
    const std::vector<Bytes> strings = {
        // 8-bit string of 0xFFFFFFFF bytes.
        Builder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Padded(),
        // 16-bit string of 0xFFFFFFFF characters.
        Builder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Padded(),
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
}  // namespace gyr
