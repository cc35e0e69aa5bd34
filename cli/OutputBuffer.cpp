// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputBuffer.h"

#include <string.h>

#include <utility>

namespace kelvane::cli {

OutputBuffer::OutputBuffer(Sink sink, std::size_t capacity)
    : sink_(std::move(sink)),
      data_(std::make_unique_for_overwrite<char[]>(capacity)),
      capacity_(capacity) {}

void OutputBuffer::appendSlow(std::string_view bytes) {
    const auto* lineEnd = static_cast<const char*>(::memrchr(data_.get(), '\n', size_));
    if (lineEnd && bytes.size() <= capacity_ - (size_ - (lineEnd + 1 - data_.get()))) {
        const auto whole = static_cast<std::size_t>(lineEnd + 1 - data_.get());
        sink_(std::string_view(data_.get(), whole));
        std::memmove(data_.get(), data_.get() + whole, size_ - whole);
        size_ -= whole;
        return append(bytes);
    }
    flush();
    if (bytes.size() >= capacity_) return sink_(bytes);
    std::memcpy(data_.get(), bytes.data(), bytes.size());
    size_ = bytes.size();
}

void OutputBuffer::flush() {
    if (size_ == 0) return;
    const std::size_t size = std::exchange(size_, 0);
    sink_(std::string_view(data_.get(), size));
}

}  // namespace kelvane::cli
