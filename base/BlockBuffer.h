// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kelvane {

// The bytes of a file descriptor read in large blocks, for readers that hand out records (lines,
// CSV rows) as views into them: what the reader has handed out is dropped from the front before
// the next read, and the room doubles when a record outgrows it. Memory stays at about one block
// plus the longest record.
class BlockBuffer {
  public:
    // Called after each read with the bytes read so far.
    using BlockRead = std::function<void(std::uint64_t)>;

    BlockBuffer(int fd, std::string name, std::size_t blockSize, BlockRead onBlock);

    const char* data() const { return buffer_.get(); }
    std::size_t size() const { return filled_; }
    bool atEnd() const { return atEnd_; }
    const std::string& name() const { return name_; }
    std::size_t blockSize() const { return blockSize_; }

    // Moves the bytes from `consumed` on to the front.
    void dropFront(std::size_t consumed);
    // Reads once into the free room, doubling the room first when less than `minFree` bytes are
    // free; at the file's end, atEnd() becomes true. Throws ReadFailure when reading fails.
    void readMore(std::size_t minFree);

  private:
    int fd_;
    std::string name_;
    std::size_t blockSize_;
    BlockRead onBlock_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t filled_ = 0;
    std::uint64_t bytesRead_ = 0;
    bool atEnd_ = false;
};

}  // namespace kelvane
