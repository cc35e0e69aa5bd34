// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/FileError.h"
#include "base/TextFileWriter.h"

namespace kelvane {

// A file read in one go, handed out line by line. Bytes are never converted; a UTF-8
// byte-order mark at the very start is not part of the first line.
class TextStream {
  public:
    explicit TextStream(std::shared_ptr<const std::string> bytes);

    bool atEndOfStream() const { return pos_ >= bytes_->size(); }
    // The next line without its break; the view stays valid as long as bytes() is held.
    std::string_view readLine();
    // Lines not read yet.
    std::size_t remainingLines() const;
    const std::shared_ptr<const std::string>& bytes() const { return bytes_; }

  private:
    std::shared_ptr<const std::string> bytes_;
    std::size_t pos_ = 0;
};

// The thin file layer the list operations reach files through.
class FileSystemObject {
  public:
    // Opens an existing file for reading and reads it whole.
    TextStream openTextFile(const std::string& path) const;
    // Starts a file that replaces `path` once committed.
    std::unique_ptr<TextFileWriter> createTextFile(const std::string& path) const;
    // Whether a file, or a link even to nothing, has this name on disk; a folder does not count.
    static bool fileExists(const std::string& path);
    // The file list's record of a chosen file: folder, "/", name. At the root this gives "//name",
    // which opens the same file.
    static std::string chosenFilePath(std::string_view folder, std::string_view name);
    // `folder` and `name` joined by exactly one "/", added only when `folder` does not end in one.
    static std::string buildPath(std::string_view folder, std::string_view name);
};

// Reads a whole file; throws FileError with the reason.
std::shared_ptr<const std::string> readWholeFile(const std::string& path);

// The size in bytes of the regular file open as `fd`, else 0. Throws FileError for a folder.
std::uint64_t readableSize(int fd);

// How a named pipe is opened: the window must not freeze waiting for a writer, while a batch
// command reads one as a shell pipeline expects, once its writer comes.
enum class PipeOpening { NoWait, WaitForWriter };

// An existing file open for reading, closed with the object. A folder is refused. Throws
// FileError with the reason.
class ReadableFile {
  public:
    explicit ReadableFile(const std::string& path, PipeOpening pipe = PipeOpening::NoWait);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    int fd() const { return fd_; }
    // A regular file's size in bytes, else 0.
    std::uint64_t size() const { return size_; }

  private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace kelvane
