// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "NumberFormat.h"
#include "NumberType.h"

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

// The numbers findNumbers finds, one at a time, so that a caller may stop between two: the
// library's matcher searches the rest of the text for each, so on a long text one costs a while.
class NumberFinder {
  public:
    NumberFinder(std::string_view text, const std::string& region, Leniency leniency,
                 NumberFormat format);
    ~NumberFinder();
    NumberFinder(const NumberFinder&) = delete;
    NumberFinder& operator=(const NumberFinder&) = delete;

    // The next number, or nothing once the text is through.
    std::optional<std::string> next();

  private:
    struct Matcher;
    std::unique_ptr<Matcher> matcher_;
    std::string region_;
    NumberFormat format_;
};

// `e164`, a valid number's E.164 text, in `format`: national only for numbers of `region`'s
// country code, as findNumbers writes them.
std::string formatNumber(std::string_view e164, const std::string& region, NumberFormat format);

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
