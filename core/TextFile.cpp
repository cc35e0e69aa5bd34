// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "HugePages.h"
#include "Lines.h"
#include "PosixIo.h"

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

}  // namespace

std::string systemReason(int error) {
    return std::strerror(error);
}

std::shared_ptr<const std::string> readWholeFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer and freeze the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail(errno);
    FdCloser closer{fd};
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) fail(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) fail(errno);
    if (S_ISDIR(info.st_mode)) fail(EISDIR);

    auto bytes = std::make_shared<std::string>();
    bytes->reserve(S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16);
    adviseHugePages(bytes->data(), bytes->capacity());
    bytes->resize(bytes->capacity());
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes->size()) bytes->resize(bytes->size() * 2);
        const std::size_t got = readSome(fd, std::span(*bytes).subspan(filled));
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

TextFileWriter::TextFileWriter(std::string targetPath)
    : targetPath_(throughLinks(std::move(targetPath))) {
    // The rename below needs only the folder's permission: a file the user may not write must
    // be refused here, as a plain write would be.
    if (::faccessat(AT_FDCWD, targetPath_.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        fail(errno);
    const std::size_t slash = targetPath_.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : targetPath_.substr(0, slash + 1);
    const std::string name =
        slash == std::string::npos ? targetPath_ : targetPath_.substr(slash + 1);
    // Cut so that the temporary name fits the usual 255-byte limit wherever the target's does.
    constexpr std::size_t kLongestName = 255 - std::string_view(". .XXXXXX").size() + 1;
    std::string tempName = ".";
    tempName.append(name, 0, kLongestName).append(".XXXXXX");
    tempPath_ = FileSystemObject::buildPath(folder, tempName);
    fd_ = ::mkostemp(tempPath_.data(), O_CLOEXEC);
    if (fd_ < 0) fail(errno);

    // Keep the mode of the file being replaced; a new file gets the usual mode for the umask.
    struct stat existing {};
    const mode_t mode = ::stat(targetPath_.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                                    : (0666 & ~currentUmask());
    ::fchmod(fd_, mode);
}

TextFileWriter::~TextFileWriter() {
    discard();
}

void TextFileWriter::write(std::string_view bytes) {
    try {
        writeAll(fd_, bytes);
    } catch (const FileError&) {
        discard();
        throw;
    }
}

void TextFileWriter::commit() {
    if (::fsync(fd_) != 0 || ::close(std::exchange(fd_, -1)) != 0 ||
        ::rename(tempPath_.c_str(), targetPath_.c_str()) != 0) {
        const int error = errno;
        discard();
        fail(error);
    }
    tempPath_.clear();
}

void TextFileWriter::discard() noexcept {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
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
