// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/OutputBuffer.h"

namespace kelvane {
class TextFileWriter;
}

namespace kelvane::cli {

class Progress;

// Where a command writes a list, each line ending in CR LF: a file, left untouched until finish()
// (so it may be the input itself, once that has been read to its end), a device or a pipe, written
// as the lines come, or standard output when no path is given. Failures throw CommandError naming
// the destination; what a save that succeeded could not make sure of (its folder entry surviving a
// power cut) is told on standard error.
class ListOutput {
  public:
    // Refuses a folder at once; `progress` is cleared before anything goes to standard output.
    ListOutput(const std::string& path, Progress& progress);
    ~ListOutput();
    ListOutput(const ListOutput&) = delete;
    ListOutput& operator=(const ListOutput&) = delete;

    void appendLine(std::string_view line) { buffer_.appendListLine(line); }
    void appendBytes(std::string_view bytes) { buffer_.append(bytes); }
    void finish();

  private:
    void write(std::string_view bytes);

    std::string name_;
    std::unique_ptr<TextFileWriter> file_;
    Progress& progress_;
    OutputBuffer buffer_;
};

}  // namespace kelvane::cli
