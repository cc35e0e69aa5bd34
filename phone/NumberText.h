// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/NumberFormat.h"
#include "phone/NumberType.h"

// What the library can tell about numbers beyond their verdict: the numbers in free text, and
// what a number is (its region, kind and place).
namespace kelvane::phone {

using kelvane::NumberFormat;

// How sure the matcher must be that a piece of text is a number: possible (a possible length),
// valid (in the plan), strict (valid, its digits grouped as the plan groups them, or not at all)
// or exact (grouped exactly so).
enum class Leniency { Possible, Valid, Strict, Exact };

// Every number the library's matcher finds in `text` (UTF-8), in order, in `format`; national
// only for numbers of `region`'s country code, as PhoneNumberReader writes them.
std::vector<std::string> findNumbers(std::string_view text, const std::string& region,
                                     Leniency leniency, NumberFormat format);

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
