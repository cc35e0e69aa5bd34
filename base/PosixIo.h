// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kelvane {

// The one read loop and the one write loop that every file and standard stream goes through,
// in the window and in the batch command alike. A call that a signal interrupts is made again;
// a failure throws FileError (TextFile.h) with the operating system's reason.

// Reads what `fd` has, at most the size of `buffer`; the count read, 0 at the end.
std::size_t readSome(int fd, std::span<char> buffer);
// Writes all of `bytes` to `fd`.
void writeAll(int fd, std::string_view bytes);

// The bytes of `fd` from where it stands to its end. `expected`, the size when known (else 0),
// sizes the buffer, so that a regular file is read into one allocation.
std::string readToEnd(int fd, std::size_t expected = 0);

// Opens `path` with `flags` without waiting for the other end of a named pipe; once it is open,
// reads and writes wait as usual. Returns the descriptor.
int openWithoutWaiting(const std::string& path, int flags);

}  // namespace kelvane
