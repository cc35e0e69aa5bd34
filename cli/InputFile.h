// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kelvane::cli {

// An input opened for reading: a named file, or standard input for "-".
class InputFile {
  public:
    // Throws CommandError when the file is missing, unreadable or a folder.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int fd() const { return fd_; }
    // The name used in messages: the path, or "<stdin>".
    const std::string& name() const { return name_; }
    // Size in bytes when known in advance (a regular file), else 0.
    std::uint64_t size() const { return size_; }

  private:
    int fd_ = -1;
    bool owned_ = false;
    std::string name_;
    std::uint64_t size_ = 0;
};

}  // namespace kelvane::cli
