// SPDX-License-Identifier: GPL-3.0-or-later
// The new bytes are copied over the target itself, the old ones kept to be put back.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <span>
#include <utility>

#include "base/PosixIo.h"
#include "base/TextFileWriter.h"

namespace kelvane {
namespace {

// Makes `old` the whole of `fd` again after a failed copy; false when a step fails. The error
// that stopped the copy is the one to tell, so this one reports no reason.
bool putBack(int fd, std::string_view old) noexcept {
    try {
        if (::lseek(fd, 0, SEEK_SET) != 0) return false;
        writeAll(fd, old);
    } catch (const FileError&) {
        return false;
    }
    return ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0;
}

// Whether `fd` reads back as exactly `bytes`; false when it cannot be read.
bool holdsExactly(int fd, std::string_view bytes) noexcept {
    try {
        return ::lseek(fd, 0, SEEK_SET) == 0 && readToEnd(fd) == bytes;
    } catch (...) {
        return false;
    }
}

}  // namespace

// The old bytes are held in memory while the new ones go over them, since the folder may have
// no room (or no permission) for a copy.
void TextFileWriter::copyInPlace() {
    const int fd = ::open(targetPath_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) failWith(errno);
    // The target is synced before it is closed: an error its close might report is then of no
    // account.
    const FdCloser closer{fd};
    const std::string old = readToEnd(fd);
    const auto size = static_cast<off_t>(size_);
    // Room first, so that a full disk fails the save before any old byte changes.
    if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS) {
        const int error = errno;
        // Gives back what was reserved; nothing else has changed.
        [[maybe_unused]] const int trimmed = ::ftruncate(fd, static_cast<off_t>(old.size()));
        failWith(error);
    }
    try {
        if (::lseek(fd_, 0, SEEK_SET) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) failWith(errno);
        std::string block(1 << 16, '\0');
        while (const std::size_t got = readSome(fd_, block)) writeAll(fd, {block.data(), got});
        if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) failWith(errno);
    } catch (const FileError& error) {
        if (putBack(fd, old) || holdsExactly(fd, old)) throw;
        // The temporary file is now the only whole copy of the new list: it stays, and is named.
        const std::string kept = std::exchange(tempPath_, {});
        throw FileError(std::string(error.what()) + "; putting the old list back failed too, so " +
                        targetPath_ + " may hold neither list whole; the new list is in " + kept);
    }
}

}  // namespace kelvane
