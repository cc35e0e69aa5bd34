// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane::phone {

// A valid number's E.164 text ("+972501234567") as one integer. E.164 allows 15 digits at most
// and its first digit, the country code's, is never 0, so the digits' value names the number
// alone and fits in 50 bits: a set of numbers needs 8 bytes a number, not a string each.
inline std::uint64_t numberKey(std::string_view e164) {
    std::uint64_t key = 0;
    for (const char c : e164) {
        if (c >= '0' && c <= '9') key = key * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return key;
}

// The E.164 text of the number whose key is `key`.
inline std::string keyText(std::uint64_t key) {
    char text[24] = {'+'};
    return std::string(text, std::to_chars(text + 1, text + sizeof text, key).ptr);
}

}  // namespace kelvane::phone
