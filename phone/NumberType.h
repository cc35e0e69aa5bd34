// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kelvane::phone {

// The library's kinds of number. Where a region's plan cannot tell a mobile from a fixed line
// apart, a number is FixedLineOrMobile.
enum class NumberType {
    FixedLine,
    Mobile,
    FixedLineOrMobile,
    TollFree,
    PremiumRate,
    SharedCost,
    Voip,
    PersonalNumber,
    Pager,
    Uan,
    Voicemail,
    Unknown,
};

// "mobile", "fixed-line", "fixed-line-or-mobile", "toll-free", ...: the names people give them.
std::string_view typeName(NumberType type);

// True for a number that may ring a mobile: a mobile, or one the plan cannot tell from a fixed
// line.
inline bool mayBeMobile(NumberType type) {
    return type == NumberType::Mobile || type == NumberType::FixedLineOrMobile;
}

}  // namespace kelvane::phone
