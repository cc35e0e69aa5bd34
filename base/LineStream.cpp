// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/LineStream.h"

#include <cstring>
#include <utility>

#include "base/Lines.h"

namespace kelvane {
namespace {

// Lines handed out at a time: enough to look ahead in the duplicate set, few enough that the
// list of views stays in the cache.
constexpr std::size_t kBatchLines = 4096;

}  // namespace

LineStream::LineStream(int fd, std::string name, std::size_t blockSize, BlockRead onBlock)
    : buffer_(fd, std::move(name), blockSize, std::move(onBlock)) {}

bool LineStream::nextLines(std::vector<std::string_view>& lines) {
    lines.clear();
    if (pos_ >= complete_ && !refill()) return false;
    // Lines are only taken from the part of the buffer that ends in a break (or the file's end),
    // so the window's own line splitting applies unchanged.
    const std::string_view complete(buffer_.data(), complete_);
    std::string_view line;
    while (lines.size() < kBatchLines && nextLine(complete, pos_, line)) lines.push_back(line);
    return true;
}

bool LineStream::refill() {
    buffer_.dropFront(pos_);
    pos_ = 0;
    std::size_t searched = buffer_.size();  // the carried bytes hold no break
    while (!buffer_.atEnd()) {
        // Keep at least half a block free, so a long line costs few, large reads.
        buffer_.readMore(buffer_.blockSize() / 2);
        const std::size_t filled = buffer_.size();
        if (!started_ && (filled >= kUtf8ByteOrderMark.size() || buffer_.atEnd())) {
            started_ = true;
            pos_ = byteOrderMarkLength(std::string_view(buffer_.data(), filled));
        }
        const auto* lastBreak =
            static_cast<const char*>(::memrchr(buffer_.data() + searched, '\n', filled - searched));
        searched = filled;
        if (lastBreak && started_) {
            complete_ = static_cast<std::size_t>(lastBreak - buffer_.data()) + 1;
            return true;
        }
    }
    complete_ = buffer_.size();
    return pos_ < complete_;
}

}  // namespace kelvane
