// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <regex>
#include <string>

namespace kelvane::testing {

// The number rule written out literally: blanks around, one sign at most (before or after), digit
// groups joined by commas with at most one point, or a point and digits, then an optional exponent.
// Slow and recursive: keep the lines it sees short.
inline bool modelIsNumber(const std::string& line) {
    static const std::regex number(
        R"(^[ \t]*([+-]?)(\d+(,\d+)*(\.\d*)?|\.\d+)([eE][+-]?\d+)?([+-]?)[ \t]*$)");
    std::smatch match;
    if (!std::regex_match(line, match, number)) return false;
    return match[1].length() + match[6].length() <= 1;
}

}  // namespace kelvane::testing
