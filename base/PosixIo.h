// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace kelvane {

// The one read loop and the one write loop that every file and standard stream goes through,
// in the window and in the batch command alike. A call that a signal interrupts is made again;
// a failure throws FileError (TextFile.h) with the operating system's reason.

// Reads what `fd` has, at most the size of `buffer`; the count read, 0 at the end.
std::size_t readSome(int fd, std::span<char> buffer);
// Writes all of `bytes` to `fd`.
void writeAll(int fd, std::string_view bytes);

}  // namespace kelvane
