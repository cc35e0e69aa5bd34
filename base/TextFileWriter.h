// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/FileError.h"

namespace kelvane {

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
    // Each way of putting the bytes in place has a file of its own: WriteByRename.cpp,
    // WriteInPlace.cpp, WriteDirect.cpp.
    std::string replaceByRename();
    static bool takeOver(int fd, const std::string& target, const struct stat& info);
    void copyInPlace();
    static int duplicateStreamNamed(std::string_view path);
    static int openDirect(const std::string& path);
    std::string discard() noexcept;

    std::string targetPath_;
    std::string folder_;
    std::string tempPath_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    bool besideTarget_ = true;
    bool direct_ = false;
};

}  // namespace kelvane
