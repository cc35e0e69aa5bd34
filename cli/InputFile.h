// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/TextFile.h"

namespace kelvane::cli {

// An input opened for reading: a named file, or standard input for "-".
class InputFile {
  public:
    // Throws CommandError when the file is missing, unreadable or a folder.
    explicit InputFile(const std::string& path);

    int fd() const { return file_ ? file_->fd() : STDIN_FILENO; }
    // The name used in messages: the path, or "<stdin>".
    const std::string& name() const { return name_; }
    // Size in bytes when known in advance (a regular file), else 0.
    std::uint64_t size() const { return size_; }

  private:
    std::string name_;
    std::optional<ReadableFile> file_;  // none for standard input
    std::uint64_t size_ = 0;
};

}  // namespace kelvane::cli
