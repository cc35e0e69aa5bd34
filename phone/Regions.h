// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::phone {

// A region code the library does not know, or no region where one is needed; what() says what to
// give instead, in one line.
struct RegionError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// `code` in capitals when the library knows it as a region (ISO 3166 two letters, any case);
// throws RegionError otherwise.
std::string supportedRegion(std::string_view code);

// Every region the library knows, in capitals, in alphabetical order.
std::vector<std::string> supportedRegions();

// The territory of the locale (LC_ALL, LC_MESSAGES or LANG, the first one set, as in
// en_US.UTF-8), or an empty string when it names none.
std::string localeRegion();

// The region of numbers written without a country code: `given` when not empty, else the
// locale's territory; throws RegionError when neither names a known region.
std::string chooseRegion(std::string_view given);

// The version of the library's numbering-plan metadata, which the verdicts depend on.
std::string_view metadataVersion();

}  // namespace kelvane::phone
