// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WidthText.h"

#include <charconv>
#include <limits>

namespace kelvane {

std::optional<std::int32_t> parseWidth(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    else if (text.starts_with('-') && text.size() > 1 &&
             text.find_first_not_of('0', 1) == std::string_view::npos) {
        text.remove_prefix(1);  // "-0" is zero, not a negative width
    }
    if (text.empty() || text.front() == '-') return std::nullopt;

    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace kelvane
