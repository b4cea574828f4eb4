#pragma once
// Runs checks in a child process whose address space may grow by only a few
// megabytes: an allocation sized from a claimed count fails there (or the
// sanitizer's allocator dies), and the child reports it.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "model/archive.h"
#include "model/archive_builder.h"
#include "model/document.h"
#include "port/scripted_host.h"

namespace gyr::testing {

constexpr std::size_t kHeadroom = 16u << 20;
constexpr int kNoCap = 100;
constexpr int kFirstCheck = 10;

inline std::size_t AddressSpaceInUse() {
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
inline int RunCapped(const std::vector<std::function<void()>>& checks) {
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

// Loads the bytes as a document whose classes are those of the table.
inline void LoadDocumentWith(const CClassTable& classes, const Bytes& bytes) {
    ScriptedHost host;
    CGyrDoc doc{classes};
    doc.LoadFromBytes(bytes.data(), bytes.size());
}

}  // namespace gyr::testing
