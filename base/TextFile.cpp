// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "base/HugePages.h"
#include "base/Lines.h"
#include "base/PosixIo.h"

namespace kelvane {
namespace {

[[noreturn]] void fail(int error) {
    throw FileError(systemReason(error));
}

// Closes a descriptor when the scope ends.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A link is written through: the file it names is replaced, in its own folder, and the link stays.
// A link that names nothing fails like a missing folder would.
std::string throughLinks(std::string path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) fail(errno);
    return resolved.get();
}

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// The bytes of `fd` from where it stands to its end.
std::string readRest(int fd) {
    std::string bytes(1 << 16, '\0');
    std::size_t filled = 0;
    while (const std::size_t got = readSome(fd, std::span(bytes).subspan(filled))) {
        filled += got;
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    }
    bytes.resize(filled);
    return bytes;
}

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
        return ::lseek(fd, 0, SEEK_SET) == 0 && readRest(fd) == bytes;
    } catch (...) {
        return false;
    }
}

// The descriptor behind a name of an open stream, duplicated, or -1 for any other name. The
// stream is written where it stands, as a shell's redirection is: opened anew by its name, a
// regular file would be written from its start, and a pipe's name does not resolve.
int duplicateStreamNamed(std::string_view path) {
    int fd = -1;
    if (path == "/dev/stdout") {
        fd = STDOUT_FILENO;
    } else if (path == "/dev/stderr") {
        fd = STDERR_FILENO;
    } else {
        for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
            if (!path.starts_with(folder)) continue;
            const std::string_view digits = path.substr(folder.size());
            const auto [end, error] = std::from_chars(digits.begin(), digits.end(), fd);
            if (error != std::errc() || end != digits.end() || digits.empty()) fd = -1;
        }
    }
    if (fd < 0) return -1;
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) fail(errno);
    return copy;
}

// Opens a device or a named pipe for writing. Without O_NONBLOCK, opening a pipe that nobody
// reads would hold the save forever; once open, writes wait for the reader as usual.
int openDirect(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail(errno);
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error);
    }
    return fd;
}

// `told`, and `more` after it when there is more to tell.
std::string alongWith(std::string told, std::string_view more) {
    if (!more.empty()) (told.empty() ? told : told.append("; ")).append(more);
    return told;
}

// Why a renamed file's folder entry may yet be lost.
std::string unsynced(std::string_view step, int error) {
    return "its folder entry may not survive a power cut (cannot " + std::string(step) +
           " its folder: " + systemReason(error) + ")";
}

// Makes the new file `fd` what the target `info` at `target` is: its owner, group, extended
// attributes and mode, on the same file system. False when any of them cannot be had, as when
// a user may not give a file away.
bool takeOver(int fd, const std::string& target, const struct stat& info) {
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

}  // namespace

std::string systemReason(int error) {
    return std::strerror(error);
}

ReadableFile::ReadableFile(const std::string& path)
    // Without O_NONBLOCK, opening a named pipe would wait for a writer and freeze the window.
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    if (fd_ < 0) fail(errno);
    FdCloser closer{fd_};
    if (::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0) fail(errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) fail(errno);
    if (S_ISDIR(info.st_mode)) fail(EISDIR);
    if (S_ISREG(info.st_mode)) size_ = static_cast<std::uint64_t>(info.st_size);
    closer.fd = -1;
}

ReadableFile::~ReadableFile() {
    ::close(fd_);
}

std::shared_ptr<const std::string> readWholeFile(const std::string& path) {
    const ReadableFile file(path);
    auto bytes = std::make_shared<std::string>();
    bytes->reserve(file.size() > 0 ? static_cast<std::size_t>(file.size()) + 1 : 1 << 16);
    adviseHugePages(bytes->data(), bytes->capacity());
    bytes->resize(bytes->capacity());
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes->size()) bytes->resize(bytes->size() * 2);
        const std::size_t got = readSome(file.fd(), std::span(*bytes).subspan(filled));
        if (got == 0) break;
        filled += got;
    }
    bytes->resize(filled);
    return bytes;
}

TextStream::TextStream(std::shared_ptr<const std::string> bytes)
    : bytes_(std::move(bytes)), pos_(byteOrderMarkLength(*bytes_)) {}

std::string_view TextStream::readLine() {
    std::string_view line;
    nextLine(*bytes_, pos_, line);
    return line;
}

std::size_t TextStream::remainingLines() const {
    return countLines(std::string_view(*bytes_).substr(pos_));
}

TextFileWriter::TextFileWriter(std::string targetPath) : targetPath_(std::move(targetPath)) {
    fd_ = duplicateStreamNamed(targetPath_);
    if (fd_ >= 0) {
        direct_ = true;
        return;
    }
    targetPath_ = throughLinks(std::move(targetPath_));
    // A rename needs only the folder's permission: a file the user may not write must be refused
    // here, as a plain write would be.
    if (::faccessat(AT_FDCWD, targetPath_.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        fail(errno);
    struct stat existing {};
    const bool replacing = ::stat(targetPath_.c_str(), &existing) == 0;
    if (replacing && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        fd_ = openDirect(targetPath_);
        direct_ = true;
        return;
    }
    const std::size_t slash = targetPath_.rfind('/');
    folder_ = slash == std::string::npos ? "." : targetPath_.substr(0, slash + 1);
    const std::string name =
        slash == std::string::npos ? targetPath_ : targetPath_.substr(slash + 1);
    // Cut so that the temporary name fits the usual 255-byte limit wherever the target's does.
    constexpr std::size_t kLongestName = 255 - std::string_view(". .XXXXXX").size() + 1;
    std::string tempName = ".";
    tempName.append(name, 0, kLongestName).append(".XXXXXX");

    tempPath_ = FileSystemObject::buildPath(folder_, tempName);
    fd_ = ::mkostemp(tempPath_.data(), O_CLOEXEC);
    if (fd_ < 0 && replacing && S_ISREG(existing.st_mode)) {
        // The user may write the file but not its folder: the new bytes wait in the temporary
        // folder, private to the user, and are copied in.
        const int folderError = errno;
        besideTarget_ = false;
        tempPath_ = FileSystemObject::buildPath(temporaryFolder(), tempName);
        fd_ = ::mkostemp(tempPath_.data(), O_CLOEXEC);
        errno = folderError;
    }
    if (fd_ < 0) fail(errno);
    if (besideTarget_) ::fchmod(fd_, replacing ? existing.st_mode & 07777 : 0666 & ~currentUmask());
}

TextFileWriter::~TextFileWriter() {
    discard();
}

void TextFileWriter::write(std::string_view bytes) {
    try {
        writeAll(fd_, bytes);
        size_ += bytes.size();
    } catch (const FileError& error) {
        throw FileError(alongWith(error.what(), discard()));
    }
}

std::string TextFileWriter::commit() {
    std::string warning;
    try {
        if (direct_) {
            // A device may report at its close that the bytes did not all arrive.
            if (::close(std::exchange(fd_, -1)) != 0) fail(errno);
            return {};
        }
        if (::fsync(fd_) != 0) fail(errno);
        struct stat info {};
        const bool replacing = ::stat(targetPath_.c_str(), &info) == 0;
        if (!replacing && errno != ENOENT) fail(errno);
        // A device or a pipe that took the file's place since the start would be replaced by a
        // plain file, or read forever.
        if (replacing && S_ISDIR(info.st_mode)) fail(EISDIR);
        if (replacing && !S_ISREG(info.st_mode)) throw FileError("it is no longer a plain file");
        // A rename would cut another name's link, or lose what the new file cannot take over.
        if (besideTarget_ &&
            (!replacing || (info.st_nlink == 1 && takeOver(fd_, targetPath_, info)))) {
            warning = replaceByRename();
        } else {
            copyInPlace();
        }
    } catch (const FileError& error) {
        throw FileError(alongWith(error.what(), discard()));
    }
    return alongWith(warning, discard());
}

std::string TextFileWriter::replaceByRename() {
    if (::close(std::exchange(fd_, -1)) != 0 ||
        ::rename(tempPath_.c_str(), targetPath_.c_str()) != 0)
        fail(errno);
    tempPath_.clear();
    // The new name lives in the folder: until the folder is synced, a power cut may bring back
    // the old file, or none.
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return unsynced("open", errno);
    const FdCloser closer{folder};
    if (::fsync(folder) != 0 && errno != EINVAL) return unsynced("sync", errno);
    return {};
}

// The old bytes are held in memory while the new ones go over them, since the folder may have
// no room (or no permission) for a copy.
void TextFileWriter::copyInPlace() {
    const int fd = ::open(targetPath_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) fail(errno);
    // The target is synced before it is closed: an error its close might report is then of no
    // account.
    const FdCloser closer{fd};
    const std::string old = readRest(fd);
    const auto size = static_cast<off_t>(size_);
    // Room first, so that a full disk fails the save before any old byte changes.
    if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS) {
        const int error = errno;
        // Gives back what was reserved; nothing else has changed.
        [[maybe_unused]] const int trimmed = ::ftruncate(fd, static_cast<off_t>(old.size()));
        fail(error);
    }
    try {
        if (::lseek(fd_, 0, SEEK_SET) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) fail(errno);
        std::string block(1 << 16, '\0');
        while (const std::size_t got = readSome(fd_, block)) writeAll(fd, {block.data(), got});
        if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) fail(errno);
    } catch (const FileError& error) {
        if (putBack(fd, old) || holdsExactly(fd, old)) throw;
        // The temporary file is now the only whole copy of the new list: it stays, and is named.
        const std::string kept = std::exchange(tempPath_, {});
        throw FileError(std::string(error.what()) + "; putting the old list back failed too, so " +
                        targetPath_ + " may hold neither list whole; the new list is in " + kept);
    }
}

// Closes and removes the temporary file; says so when it is left, else returns nothing.
std::string TextFileWriter::discard() noexcept {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    const std::string path = std::exchange(tempPath_, {});
    if (path.empty() || ::unlink(path.c_str()) == 0) return {};
    try {
        return "the temporary file " + path + " is left (cannot remove it: " + systemReason(errno) +
               ")";
    } catch (...) {
        return {};
    }
}

TextStream FileSystemObject::openTextFile(const std::string& path) const {
    return TextStream(readWholeFile(path));
}

std::unique_ptr<TextFileWriter> FileSystemObject::createTextFile(const std::string& path) const {
    return std::make_unique<TextFileWriter>(path);
}

bool FileSystemObject::fileExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string FileSystemObject::chosenFilePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

std::string FileSystemObject::buildPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.ends_with('/')) path += '/';
    path += name;
    return path;
}

}  // namespace kelvane
