// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace kelvane {

// A fixed set of values, each with the name an operator types for it.
template <typename Value, std::size_t N>
using NameTable = std::pair<std::string_view, Value>[N];

// The value `name` stands for in `names`, or nothing.
template <typename Value, std::size_t N>
constexpr std::optional<Value> valueNamed(const NameTable<Value, N>& names, std::string_view name) {
    for (const auto& [known, value] : names) {
        if (known == name) return value;
    }
    return std::nullopt;
}

}  // namespace kelvane
