// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/NumberFormat.h"

namespace kelvane::phone {

using kelvane::NumberFormat;

// How sure the matcher must be that a piece of text is a number: possible (a possible length),
// valid (in the plan), strict (valid, its digits grouped as the plan groups them, or not at all)
// or exact (grouped exactly so).
enum class Leniency { Possible, Valid, Strict, Exact };

inline constexpr NameTable<Leniency, 4> kLeniencyNames = {{"possible", Leniency::Possible},
                                                          {"valid", Leniency::Valid},
                                                          {"strict", Leniency::Strict},
                                                          {"exact", Leniency::Exact}};

// The sizes of the windows a line is searched in (see findNumbers), in bytes.
struct SearchWindows {
    std::size_t usual = 4096;     // cut at the last character no number can hold within this
    std::size_t longest = 65536;  // failing that, within this
    // Failing that too, the numbers that start this far before the window's end are left to the
    // next window: more than a candidate the matcher takes can span, 543 characters of up to four
    // bytes each (a blank run before an extension label aside).
    std::size_t margin = 2560;
};

// Every number the library's matcher finds in `text`, in order, in `format`; national only for
// numbers of `region`'s country code, as PhoneNumberReader writes them. A byte that is not part
// of well-formed UTF-8 reads as "?", a character next to which a number is still found.
//
// The matcher takes a time that grows with the square of its text's length (figures in
// bench/README.md): it copies what is left of the text at every candidate. So a long
// line is searched in windows, each ending on a character that no candidate can hold (most
// letters, and such ASCII signs as "!", "?", "@", "*", "%"), where the matcher's search starts
// afresh; each window begins with the character before it, which the matcher looks at before a
// candidate. That finds exactly what one search of the whole line finds, whenever no stretch
// without such a character is longer than `windows.longest`. A longer stretch is cut after
// the last number found well before the window's end, or, with none, `windows.margin` before
// that end, where the two searches may see different candidates.
std::vector<std::string> findNumbers(std::string_view text, const std::string& region,
                                     Leniency leniency, NumberFormat format,
                                     const SearchWindows& windows = {});

// `e164`, a valid number's E.164 text, in `format`: national only for numbers of `region`'s
// country code, as findNumbers writes them.
std::string formatNumber(std::string_view e164, const std::string& region, NumberFormat format);

// The numbers one search of the matcher over the whole of `text` (well-formed UTF-8) finds, in a
// time that grows with the square of its length. Exposed for the tests.
std::vector<std::string> findNumbersAtOnce(std::string_view text, const std::string& region,
                                           Leniency leniency, NumberFormat format);

}  // namespace kelvane::phone
