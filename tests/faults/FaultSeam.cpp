// SPDX-License-Identifier: GPL-3.0-or-later
#define FIU_ENABLE 1
#include "FaultSeam.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <fiu-control.h>
#include <fiu.h>
#include <pthread.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace kelvane::testing {
namespace {

constexpr std::size_t kPointCount = std::size(kFaultPoints);

// Written only while disarmed; read by the callback, which allocates nothing.
struct Armed {
    pthread_t thread{};
    int calls[kPointCount] = {};
    std::size_t failing = kPointCount;  // none
    int occurrence = 0;
    bool keepsFiring = false;
} armed;

int onCall(const char* name, int*, void**, unsigned*) {
    if (!pthread_equal(pthread_self(), armed.thread)) return 0;
    for (std::size_t i = 0; i < kPointCount; ++i) {
        if (kFaultPoints[i] != name) continue;
        const int call = ++armed.calls[i];
        return i == armed.failing &&
               (call == armed.occurrence || (armed.keepsFiring && call > armed.occurrence));
    }
    return 0;
}

// The environment's names for a program's run.
constexpr const char* kFaultVariable = "KELVANE_FAULT";
constexpr const char* kCountsVariable = "KELVANE_FAULT_COUNTS";

// A program run under armProgramFaults() is armed from its start, and writes its counts as it
// ends.
struct ProgramRun {
    ProgramRun() {
        if (!std::getenv(kCountsVariable)) return;
        std::optional<InjectedFault> fault;
        std::istringstream(std::getenv(kFaultVariable)) >> fault.emplace().point >>
            fault->occurrence >> fault->keepsFiring;
        if (fault->point == "-") fault.reset();
        armFaults(fault);
    }
    ~ProgramRun() {
        const char* countsFile = std::getenv(kCountsVariable);
        if (!countsFile) return;
        const std::map<std::string, int> counts = disarmFaults();
        std::ofstream out(countsFile);
        for (const auto& [point, calls] : counts) out << point << ' ' << calls << '\n';
    }
} programRun;

// Fails the call when the seam's point of that name fires, with the error it was enabled with.
template <typename Call, typename... Args>
auto throughSeam(const char* point, const char* name, Args... args) {
    if (fiu_fail(point)) {
        errno = static_cast<int>(reinterpret_cast<std::intptr_t>(fiu_failinfo()));
        return decltype(std::declval<Call>()(args...))(-1);
    }
    static const auto real = reinterpret_cast<Call>(::dlsym(RTLD_NEXT, name));
    return real(args...);
}

}  // namespace

void armFaults(const std::optional<InjectedFault>& fault) {
    fiu_init(0);
    armed = Armed{pthread_self()};
    for (std::size_t i = 0; i < kPointCount; ++i) {
        const std::string point(kFaultPoints[i]);
        if (fault && fault->point == point) {
            armed.failing = i;
            armed.occurrence = fault->occurrence;
            armed.keepsFiring = fault->keepsFiring;
        }
        const std::intptr_t error = point.ends_with("/write") ? ENOSPC : EIO;
        fiu_enable_external(point.c_str(), 1, reinterpret_cast<void*>(error), 0, onCall);
    }
}

std::map<std::string, int> disarmFaults() {
    std::map<std::string, int> counts;
    for (std::size_t i = 0; i < kPointCount; ++i) {
        fiu_disable(std::string(kFaultPoints[i]).c_str());
        counts[std::string(kFaultPoints[i])] = armed.calls[i];
    }
    armed = Armed{};
    return counts;
}

bool armProgramFaults(const std::optional<InjectedFault>& fault, const std::string& countsFile) {
    std::ostringstream text;
    if (fault)
        text << fault->point << ' ' << fault->occurrence << ' ' << fault->keepsFiring;
    else
        text << '-';
    const std::string preload = FIU_POSIX_PRELOAD ":" KELVANE_FAULT_SEAM;
    return ::setenv("LD_PRELOAD", preload.c_str(), 1) == 0 &&
           ::setenv(kFaultVariable, text.str().c_str(), 1) == 0 &&
           ::setenv(kCountsVariable, countsFile.c_str(), 1) == 0;
}

std::map<std::string, int> readFaultCounts(const std::string& countsFile) {
    std::map<std::string, int> counts;
    std::ifstream in(countsFile);
    std::string point;
    for (int calls = 0; in >> point >> calls;) counts[point] = calls;
    return counts;
}

}  // namespace kelvane::testing

using kelvane::testing::throughSeam;

// The seam's points, in place of the C library's calls. A save gives the new file the old one's
// owner and extended attributes before a rename; room is reserved before a copy in place; the
// temporary file is made.
extern "C" int fchown(int fd, uid_t owner, gid_t group) noexcept {
    return throughSeam<int (*)(int, uid_t, gid_t)>("kelvane/fchown", "fchown", fd, owner, group);
}

extern "C" ssize_t listxattr(const char* path, char* list, size_t size) noexcept {
    return throughSeam<ssize_t (*)(const char*, char*, size_t)>("kelvane/listxattr", "listxattr",
                                                                path, list, size);
}

extern "C" int fsetxattr(int fd, const char* name, const void* value, size_t size,
                         int flags) noexcept {
    return throughSeam<int (*)(int, const char*, const void*, size_t, int)>(
        "kelvane/fsetxattr", "fsetxattr", fd, name, value, size, flags);
}

extern "C" int fallocate(int fd, int mode, off_t offset, off_t length) {
    return throughSeam<int (*)(int, int, off_t, off_t)>("kelvane/fallocate", "fallocate", fd, mode,
                                                        offset, length);
}

extern "C" int mkostemp(char* pattern, int flags) {
    return throughSeam<int (*)(char*, int)>("kelvane/mkostemp", "mkostemp", pattern, flags);
}
