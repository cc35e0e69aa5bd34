// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberRule.h"

#include <cstddef>

namespace kelvane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}

// Consumes a run of digits; returns how many.
std::size_t skipDigits(std::string_view s, std::size_t& i) {
    const std::size_t start = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    return i - start;
}

}  // namespace

bool isNumber(std::string_view line) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && isBlank(line[begin])) ++begin;
    while (end > begin && isBlank(line[end - 1])) --end;
    const std::string_view s = line.substr(begin, end - begin);

    std::size_t i = 0;
    const bool leadingSign = i < s.size() && isSign(s[i]);
    if (leadingSign) ++i;

    // Whole part: digit groups joined by single commas.
    std::size_t mantissaDigits = skipDigits(s, i);
    while (mantissaDigits > 0 && i + 1 < s.size() && s[i] == ',' && isDigit(s[i + 1])) {
        ++i;
        mantissaDigits += skipDigits(s, i);
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += skipDigits(s, i);
    }
    if (mantissaDigits == 0) return false;

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && isSign(s[i])) ++i;
        if (skipDigits(s, i) == 0) return false;
    }
    if (!leadingSign && i < s.size() && isSign(s[i])) ++i;
    return i == s.size();
}

}  // namespace kelvane
