// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the library needs it: well-formed, and counted in code points.
namespace kelvane::phone {

// The length of the well-formed UTF-8 sequence that `text` (not empty) starts with, or 0 when it
// starts with none: a stray continuation byte, a cut sequence, an overlong form, a surrogate or a
// value past U+10FFFF.
std::size_t sequenceLength(std::string_view text);

// True when `text` is well-formed UTF-8.
bool isUtf8(std::string_view text);

// How many code points well-formed `text` holds.
std::size_t codePoints(std::string_view text);

// `text` with every byte that is not part of a well-formed sequence made `replacement`.
std::string withBadBytesReplaced(std::string_view text, char replacement);

}  // namespace kelvane::phone
