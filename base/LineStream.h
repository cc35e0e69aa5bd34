// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/BlockBuffer.h"

namespace kelvane {

// Reads lines from a file descriptor in large blocks, with the same line rules as the window's
// reader: LF or CR LF breaks, a last line without a break, a UTF-8 byte-order mark at the very
// start skipped. Memory stays at about one block plus the longest line.
class LineStream {
  public:
    // Called after each block read with the bytes read so far.
    using BlockRead = BlockBuffer::BlockRead;

    LineStream(int fd, std::string name, std::size_t blockSize = 1 << 20, BlockRead onBlock = {});

    // Replaces `lines` with the next few thousand lines (at least one), without their breaks; the
    // views stay valid until the following call. False at the end. Throws ReadFailure when reading
    // fails.
    bool nextLines(std::vector<std::string_view>& lines);

  private:
    // Moves the unfinished line to the front and reads until a whole line is in; false at the end.
    bool refill();

    BlockBuffer buffer_;
    std::size_t complete_ = 0;  // bytes up to the last line break seen (or all, at the end)
    std::size_t pos_ = 0;       // next line starts here
    bool started_ = false;
};

}  // namespace kelvane
