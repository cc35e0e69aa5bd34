// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

namespace kelvane::cli {

// Collects output and hands it to its sink in large blocks. A block that is handed on because the
// buffer is full ends after a whole line, when there is one: a run that stops part way, out of
// memory say, then says why on a line of its own after the last whole line it wrote.
class OutputBuffer {
  public:
    using Sink = std::function<void(std::string_view)>;

    explicit OutputBuffer(Sink sink, std::size_t capacity = 1 << 20);

    void append(std::string_view bytes) {
        if (bytes.size() > capacity_ - size_) return appendSlow(bytes);
        std::memcpy(data_.get() + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    // The line followed by CR LF, as the window's list text holds it.
    void appendListLine(std::string_view line) {
        append(line);
        append("\r\n");
    }
    void flush();

  private:
    void appendSlow(std::string_view bytes);

    Sink sink_;
    std::unique_ptr<char[]> data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

}  // namespace kelvane::cli
