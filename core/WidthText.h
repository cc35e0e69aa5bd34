// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane {

// The comparison width typed by the operator: blanks around, an optional sign, decimal digits.
// Anything else, a value beyond the 32-bit range, or a negative value gives nothing.
std::optional<std::int32_t> parseWidth(std::string_view text);

}  // namespace kelvane
