// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineStream.h"

#include <cstring>
#include <utility>

#include "CommandError.h"
#include "Lines.h"
#include "PosixIo.h"
#include "TextFile.h"

namespace kelvane::cli {
namespace {

// Lines handed out at a time: enough to look ahead in the duplicate set, few enough that the
// list of views stays in the cache.
constexpr std::size_t kBatchLines = 4096;

}  // namespace

LineStream::LineStream(int fd, std::string name, std::size_t blockSize, BlockRead onBlock)
    : fd_(fd),
      name_(std::move(name)),
      blockSize_(blockSize < 16 ? 16 : blockSize),
      onBlock_(std::move(onBlock)),
      buffer_(std::make_unique_for_overwrite<char[]>(blockSize_)),
      capacity_(blockSize_) {}

bool LineStream::nextLines(std::vector<std::string_view>& lines) {
    lines.clear();
    if (pos_ >= complete_ && !refill()) return false;
    // Lines are only taken from the part of the buffer that ends in a break (or the file's end),
    // so the window's own line splitting applies unchanged.
    const std::string_view complete(buffer_.get(), complete_);
    std::string_view line;
    while (lines.size() < kBatchLines && nextLine(complete, pos_, line)) lines.push_back(line);
    return true;
}

bool LineStream::refill() {
    std::memmove(buffer_.get(), buffer_.get() + pos_, filled_ - pos_);
    filled_ -= pos_;
    pos_ = 0;
    std::size_t searched = filled_;  // the carried bytes hold no break
    while (!atEnd_) {
        readBlock();
        if (!started_ && (filled_ >= kUtf8ByteOrderMark.size() || atEnd_)) {
            started_ = true;
            pos_ = byteOrderMarkLength(std::string_view(buffer_.get(), filled_));
        }
        const auto* lastBreak =
            static_cast<const char*>(::memrchr(buffer_.get() + searched, '\n', filled_ - searched));
        searched = filled_;
        if (lastBreak && started_) {
            complete_ = static_cast<std::size_t>(lastBreak - buffer_.get()) + 1;
            return true;
        }
    }
    complete_ = filled_;
    return pos_ < complete_;
}

void LineStream::readBlock() {
    // Keep at least half a block free, so a long line costs few, large reads.
    if (capacity_ - filled_ < blockSize_ / 2) {
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
        throw fileFailure("read", name_, error.what());
    }
    if (got == 0) atEnd_ = true;
    filled_ += got;
    bytesRead_ += got;
    if (onBlock_) onBlock_(bytesRead_);
}

}  // namespace kelvane::cli
