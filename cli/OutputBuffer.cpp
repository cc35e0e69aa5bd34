// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputBuffer.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "CommandError.h"
#include "TextFile.h"

namespace kelvane::cli {

OutputBuffer::OutputBuffer(Sink sink, std::size_t capacity)
    : sink_(std::move(sink)),
      data_(std::make_unique_for_overwrite<char[]>(capacity)),
      capacity_(capacity) {}

void OutputBuffer::appendSlow(std::string_view bytes) {
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

void writeAll(int fd, std::string_view bytes, std::string_view name) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            throw CommandError("cannot write " + std::string(name) + ": " + systemReason(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

}  // namespace kelvane::cli
