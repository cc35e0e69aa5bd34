// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "base/PosixIo.h"
#include "base/TextFile.h"

namespace kelvane {
namespace {

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
    if (!resolved) failWith(errno);
    return resolved.get();
}

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// `told`, and `more` after it when there is more to tell.
std::string alongWith(std::string told, std::string_view more) {
    if (!more.empty()) (told.empty() ? told : told.append("; ")).append(more);
    return told;
}

}  // namespace

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
        failWith(errno);
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
    if (fd_ < 0) failWith(errno);
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
            if (::close(std::exchange(fd_, -1)) != 0) failWith(errno);
            return {};
        }
        if (::fsync(fd_) != 0) failWith(errno);
        struct stat info {};
        const bool replacing = ::stat(targetPath_.c_str(), &info) == 0;
        if (!replacing && errno != ENOENT) failWith(errno);
        // A device or a pipe that took the file's place since the start would be replaced by a
        // plain file, or read forever.
        if (replacing && S_ISDIR(info.st_mode)) failWith(EISDIR);
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

}  // namespace kelvane
