// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/Utf8.h"

namespace kelvane::phone {

std::size_t sequenceLength(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char lead = p[0];
    if (lead < 0x80) return 1;
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || text.size() < length) return 0;
    // The second byte's range is narrower after E0, ED, F0 and F4.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (p[1] < low || p[1] > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
    }
    return length;
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text.substr(at));
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::size_t codePoints(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string withBadBytesReplaced(std::string_view text, char replacement) {
    std::string replaced(text);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text.substr(at));
        if (length == 0) replaced[at] = replacement;
        at += length == 0 ? 1 : length;
    }
    return replaced;
}

}  // namespace kelvane::phone
