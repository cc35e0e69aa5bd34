// SPDX-License-Identifier: GPL-3.0-or-later
// The new file takes the target's name, once it is everything the target was.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "base/TextFileWriter.h"

namespace kelvane {
namespace {

// One extended attribute's value or the list of names (each ending in NUL), read by `get` with a
// buffer and its size; nothing when it cannot be read.
template <typename Get>
std::optional<std::string> readAttribute(const Get& get) {
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t got = get(bytes.data(), bytes.size());
        if (got >= 0) return bytes.substr(0, static_cast<std::size_t>(got));
        if (errno != ERANGE) return std::nullopt;  // ERANGE: it grew in between
    }
}

// Gives the file `to` every extended attribute of the file at `from`; false when one cannot be
// read or given.
bool copyAttributes(const std::string& from, int to) {
    const char* path = from.c_str();
    std::optional<std::string> names =
        readAttribute([&](char* list, std::size_t size) { return ::listxattr(path, list, size); });
    if (!names && errno == ENOTSUP) names.emplace();  // a file system that keeps none
    if (!names) return false;
    for (std::size_t at = 0; at < names->size(); at += std::strlen(names->data() + at) + 1) {
        const char* name = names->data() + at;
        const std::optional<std::string> value = readAttribute(
            [&](char* bytes, std::size_t size) { return ::getxattr(path, name, bytes, size); });
        if (!value || ::fsetxattr(to, name, value->data(), value->size(), 0) != 0) return false;
    }
    return true;
}

// Why a renamed file's folder entry may yet be lost.
std::string unsynced(std::string_view step, int error) {
    return "its folder entry may not survive a power cut (cannot " + std::string(step) +
           " its folder: " + systemReason(error) + ")";
}

}  // namespace

std::string TextFileWriter::replaceByRename() {
    if (::close(std::exchange(fd_, -1)) != 0 ||
        ::rename(tempPath_.c_str(), targetPath_.c_str()) != 0)
        failWith(errno);
    tempPath_.clear();
    // The new name lives in the folder: until the folder is synced, a power cut may bring back
    // the old file, or none.
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return unsynced("open", errno);
    const FdCloser closer{folder};
    if (::fsync(folder) != 0 && errno != EINVAL) return unsynced("sync", errno);
    return {};
}

// Makes the new file `fd` what the target `info` at `target` is: its owner, group, extended
// attributes and mode, on the same file system. False when any of them cannot be had, as when
// a user may not give a file away.
bool TextFileWriter::takeOver(int fd, const std::string& target, const struct stat& info) {
    struct stat made {};
    if (::fstat(fd, &made) != 0 || made.st_dev != info.st_dev) return false;
    if ((made.st_uid != info.st_uid || made.st_gid != info.st_gid) &&
        ::fchown(fd, info.st_uid, info.st_gid) != 0)
        return false;
    if (!copyAttributes(target, fd)) return false;
    // The mode last: a new owner clears the set-ID bits, an access list sets the group's. Bits
    // the user may not set are dropped without an error, hence the check.
    if (::fchmod(fd, info.st_mode & 07777) != 0 || ::fstat(fd, &made) != 0) return false;
    return made.st_uid == info.st_uid && made.st_gid == info.st_gid &&
           (made.st_mode & 07777) == (info.st_mode & 07777);
}

}  // namespace kelvane
