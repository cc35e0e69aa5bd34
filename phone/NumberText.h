// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "phone/NumberType.h"

// What the library can tell about a number beyond its verdict: its region, kind and place.
namespace kelvane::phone {

struct NumberInfo {
    bool valid = false;
    std::string e164;    // valid: the number in E.164
    std::string region;  // valid: where it belongs (two letters, or 001 for a non-geographic one)
    NumberType type = NumberType::Unknown;
    std::string place;  // valid: the offline geocoder's place (a town, an area or a country)
};

// What `line` is as a number of `region`; the place is named in `language` (ISO 639, as "he"),
// in English where the geocoder has no name in that language.
NumberInfo describeNumber(std::string_view line, const std::string& region,
                          const std::string& language);

}  // namespace kelvane::phone
