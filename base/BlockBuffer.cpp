// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/BlockBuffer.h"

#include <cstring>
#include <span>
#include <utility>

#include "base/PosixIo.h"
#include "base/TextFile.h"

namespace kelvane {

BlockBuffer::BlockBuffer(int fd, std::string name, std::size_t blockSize, BlockRead onBlock)
    : fd_(fd),
      name_(std::move(name)),
      blockSize_(blockSize < 16 ? 16 : blockSize),
      onBlock_(std::move(onBlock)),
      buffer_(std::make_unique_for_overwrite<char[]>(blockSize_)),
      capacity_(blockSize_) {}

void BlockBuffer::dropFront(std::size_t consumed) {
    std::memmove(buffer_.get(), buffer_.get() + consumed, filled_ - consumed);
    filled_ -= consumed;
}

void BlockBuffer::readMore(std::size_t minFree) {
    if (capacity_ - filled_ < minFree) {
        const std::size_t capacity = capacity_ * 2;
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(larger.get(), buffer_.get(), filled_);
        buffer_ = std::move(larger);
        capacity_ = capacity;
    }
    std::size_t got = 0;
    try {
        got = readSome(fd_, std::span(buffer_.get() + filled_, capacity_ - filled_));
    } catch (const FileError& error) {
        throw ReadFailure("cannot read " + name_ + ": " + error.what());
    }
    if (got == 0) atEnd_ = true;
    filled_ += got;
    bytesRead_ += got;
    if (onBlock_) onBlock_(bytesRead_);
}

}  // namespace kelvane
