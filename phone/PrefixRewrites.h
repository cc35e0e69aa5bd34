// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "absl/container/flat_hash_map.h"

namespace kelvane::phone {

// How many trailing digits a line made only of ASCII digits, "+" and separators shares with the
// number the library reads it as, worked out from the library's numbering-plan metadata.
//
// The library keeps only the digits of such a line, in order (an extension, a vanity number or a
// second number needs a letter, "#", ",", ";" or a character beyond ASCII). From the front it
// removes an international prefix or "+", the country code and a national prefix: the number's
// national significant number stays a suffix of the line's digits. Only a region whose metadata
// has a national_prefix_transform_rule rewrites more: its national_prefix_for_parsing matches a
// front part of the national number, which the rule replaces by literal digits and captured
// groups. The part after the match stays, so at most the rule's longest expansion is new at the
// front; a captured group that ends where the match ends is itself unchanged ("([457]\d{6})$"
// under "268$1" adds three digits, not ten). The metadata that rewrites a number of country code
// C is that of C's main region (or its non-geographic entity), or the reading region's when its
// country code is C. Only a line written with the reading region's country code and without "+"
// can be rewritten twice (once as the country code is taken off, once more after); under a
// reading region that rewrites, such lines are none of this class's business (see
// rewritesTwice).
class PrefixRewrites {
  public:
    // `region`: the region lines are read under, as the library names it.
    explicit PrefixRewrites(std::string_view region);

    // The trailing digits that any such line read as the number `key` (a numberKey) ends with;
    // 0 when the metadata bounds nothing.
    std::size_t intactDigits(std::uint64_t key) const;

    // True when a line with these digits, with or without a "+" before them, may be rewritten
    // twice.
    bool rewritesTwice(std::string_view digits, bool plus) const {
        return !plus && !readingCode_.empty() && digits.starts_with(readingCode_);
    }

  private:
    // Country code -> the most digits its parse may put in front of a national number.
    absl::flat_hash_map<int, std::size_t> added_;
    int readingCountry_ = 0;
    std::size_t readingAdded_ = 0;
    std::string readingCode_;  // the reading region's country code, when that region rewrites
};

// The most digits that `rule` (a national_prefix_transform_rule) puts before the part of a
// national number that `pattern` (its national_prefix_for_parsing) leaves unmatched or captures
// at its very end; SIZE_MAX when the pattern bounds nothing. Exposed for the tests.
std::size_t addedDigits(std::string_view pattern, std::string_view rule);

}  // namespace kelvane::phone
