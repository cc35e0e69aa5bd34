// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/PosixIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/FileError.h"
#include "base/HugePages.h"

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

std::string readToEnd(int fd, std::size_t expected) {
    std::string bytes;
    // A byte past the expected size finds the end without growing the buffer.
    bytes.reserve(expected > 0 ? expected + 1 : 1 << 16);
    adviseHugePages(bytes.data(), bytes.capacity());
    bytes.resize(bytes.capacity());
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const std::size_t got = readSome(fd, std::span(bytes).subspan(filled));
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

int openWithoutWaiting(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK);
    if (fd < 0) failWith(errno);
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        failWith(error);
    }
    return fd;
}

}  // namespace kelvane
