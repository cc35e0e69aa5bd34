// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <cstdint>

namespace kelvane {

// "1 line", "3 lines".
std::string countText(std::int64_t n, std::string_view singular, std::string_view plural);

// `text` cut to 60 characters, with control characters and bytes that are not UTF-8 made
// visible, for a message or a report line.
std::string excerpt(std::string_view text);

}  // namespace kelvane
