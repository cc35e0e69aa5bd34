// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvane {

// A file could not be opened, read or written; what() is the operating system's reason.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that was opened but could not be read on; what() is the whole sentence,
// "cannot read NAME: REASON".
struct ReadFailure : FileError {
    using FileError::FileError;
};

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

// A file written whole or not at all. The bytes first go to a temporary file, beside the target
// when its folder may be written, else in $TMPDIR (or /tmp); nothing of the target changes until
// commit(). Then the temporary file is renamed over the target, and the folder synced, when that
// keeps everything the target was: one name (no other hard link), its mode, owner, group and
// extended attributes. Otherwise the new bytes are copied over the target in place: room is
// reserved first, the old bytes are kept and put back should the copy fail, the length is cut
// last. Destroyed without a commit, the temporary file is removed and the target is untouched.
// A target that is a symbolic link is written through (the file it names is replaced); an
// existing target the user may not write is refused; a new file gets the mode the umask gives.
//
// A device, a named pipe and a name of an open stream (/dev/stdout, /dev/stderr, /dev/fd/N) are
// written directly, as the bytes come, with no temporary file: there is nothing to replace and
// nothing to put back, and their folder (/dev) is not the user's to write.
//
// A failure throws FileError and leaves a file target with exactly its old bytes, with one
// exception: when the copy in place fails and even putting the old bytes back fails, the message
// says so and names the temporary file, which is kept and holds the whole new list. A temporary
// file that cannot be removed is named too, in the error or in commit()'s warning.
class TextFileWriter {
  public:
    explicit TextFileWriter(std::string targetPath);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void write(std::string_view bytes);
    // Puts the new bytes in place. Returns what could not be made sure of once they were in place,
    // as words that follow "the new list is in place, but": that the folder entry may not survive
    // a power cut, or that a temporary file is left; empty when nothing.
    [[nodiscard]] std::string commit();

  private:
    std::string replaceByRename();
    void copyInPlace();
    std::string discard() noexcept;

    std::string targetPath_;
    std::string folder_;
    std::string tempPath_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    bool besideTarget_ = true;
    bool direct_ = false;
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

// An existing file open for reading, closed with the object. A folder is refused, and a named
// pipe is opened without waiting for a writer (that would freeze the window). Throws FileError
// with the reason.
class ReadableFile {
  public:
    explicit ReadableFile(const std::string& path);
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

// The operating system's words for errno value `error`.
std::string systemReason(int error);

}  // namespace kelvane
