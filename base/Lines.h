// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace kelvane {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Length of the UTF-8 byte-order mark at the start of `text`, or 0.
inline std::size_t byteOrderMarkLength(std::string_view text) {
    return text.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
}

// Takes the next line of `text` from `pos`, without its break (LF or CR LF; a lone CR is part of
// the line), and moves `pos` past the break. A last line without a break is a line; nothing
// follows a final break. Returns false when no line is left.
inline bool nextLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    const char* begin = text.data() + pos;
    const std::size_t rest = text.size() - pos;
    const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', rest));
    std::size_t length = newline ? static_cast<std::size_t>(newline - begin) : rest;
    pos += newline ? length + 1 : length;
    if (newline && length > 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, length);
    return true;
}

// Number of lines nextLine yields for `text`.
inline std::size_t countLines(std::string_view text) {
    std::size_t count = 0;
    for (const char *p = text.data(), *end = p + text.size(); p < end; ++count) {
        const auto* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
        p = newline ? newline + 1 : end;
    }
    return count;
}

}  // namespace kelvane
