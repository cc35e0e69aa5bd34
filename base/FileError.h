// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <stdexcept>
#include <string>

namespace kelvane {

// A file could not be opened, read or written; what() is the operating system's reason.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that was opened but could not be read on; what() is the whole sentence,
// "cannot read NAME: REASON".
struct ReadFailure : FileError {
    using FileError::FileError;
};

// The operating system's words for errno value `error`.
std::string systemReason(int error);

// Throws FileError with the operating system's words for `error`.
[[noreturn]] void failWith(int error);

// Closes a descriptor when the scope ends; -1 closes nothing.
struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace kelvane
