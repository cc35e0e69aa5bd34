// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/PosixIo.h"

#include <unistd.h>

#include <cerrno>

#include "base/TextFile.h"

namespace kelvane {

std::size_t readSome(int fd, std::span<char> buffer) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw FileError(systemReason(errno));
    }
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) throw FileError(systemReason(errno));
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

}  // namespace kelvane
