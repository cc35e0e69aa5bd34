// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Wording.h"

#include <cstdio>

namespace kelvane {
namespace {

constexpr std::size_t kExcerptLength = 60;

bool isUtf8Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 character at the start of `text`, or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isUtf8Continuation(static_cast<unsigned char>(text[k]))) return 0;
    }
    return length;
}

}  // namespace

std::string excerpt(std::string_view text) {
    std::string shown;
    std::size_t i = 0;
    for (std::size_t characters = 0; i < text.size() && characters < kExcerptLength; ++characters) {
        const std::size_t length = utf8SequenceLength(text.substr(i));
        const auto byte = static_cast<unsigned char>(text[i]);
        if (length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7F)) {
            shown.append(text.substr(i, length));
            i += length;
            continue;
        }
        // Control bytes and bytes that are not UTF-8 are shown by their value.
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        shown += escaped;
        ++i;
    }
    if (i < text.size()) shown += "...";
    return shown;
}

std::string countText(std::int64_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

}  // namespace kelvane
