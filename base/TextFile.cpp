// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "base/Lines.h"
#include "base/PosixIo.h"

namespace kelvane {

std::uint64_t readableSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) failWith(errno);
    if (S_ISDIR(info.st_mode)) failWith(EISDIR);
    return S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

ReadableFile::ReadableFile(const std::string& path, PipeOpening pipe)
    : fd_(pipe == PipeOpening::NoWait ? openWithoutWaiting(path, O_RDONLY | O_CLOEXEC)
                                      : ::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) failWith(errno);
    FdCloser closer{fd_};
    size_ = readableSize(fd_);
    closer.fd = -1;
}

ReadableFile::~ReadableFile() {
    ::close(fd_);
}

std::shared_ptr<const std::string> readWholeFile(const std::string& path) {
    const ReadableFile file(path);
    return std::make_shared<const std::string>(
        readToEnd(file.fd(), static_cast<std::size_t>(file.size())));
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
