// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// Calls failed on purpose. libfiu's POSIX wrappers (fiu_posix_preload.so, preloaded) fail open,
// read, write, fsync, rename, ftruncate, close and unlink; this library, linked or preloaded
// after them, adds points of its own for the calls they do not reach: fchown, listxattr,
// fsetxattr, fallocate and mkostemp (whose open happens inside the C library).
namespace kelvane::testing {

inline constexpr std::string_view kFaultPoints[] = {
    "posix/io/oc/open",    "posix/io/rw/read",      "posix/io/rw/write", "posix/io/sync/fsync",
    "posix/io/dir/rename", "posix/io/rw/ftruncate", "posix/io/oc/close", "posix/io/dir/unlink",
    "kelvane/fchown",      "kelvane/listxattr",     "kelvane/fsetxattr", "kelvane/fallocate",
    "kelvane/mkostemp",
};

// The `occurrence`-th call (from 1) to `point` since arming fails, and when `keepsFiring` every
// later one too. A write fails as on a full disk (ENOSPC), any other call with EIO.
struct InjectedFault {
    std::string point;
    int occurrence = 1;
    bool keepsFiring = false;
};

// Counts the calls to every point made by this thread from now on, and fails `fault` if given.
void armFaults(const std::optional<InjectedFault>& fault);
// Stops; the calls to each point since armed.
std::map<std::string, int> disarmFaults();

// For a child about to run a program: arms its whole run, through the environment, and has it
// write its counts to `countsFile` as it ends.
bool armProgramFaults(const std::optional<InjectedFault>& fault, const std::string& countsFile);
std::map<std::string, int> readFaultCounts(const std::string& countsFile);

}  // namespace kelvane::testing
