// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "absl/container/flat_hash_set.h"
#include "phone/NumberKey.h"
#include "phone/PackedLineSet.h"
#include "phone/PhoneNumberReader.h"

namespace kelvane::phone {

// The duplicate rule by telephone number: a valid number is a duplicate when the same number was
// kept before, however it was written (numbers are compared by their E.164 digits, 8 bytes each);
// a line that is not a valid number is a duplicate when the same text was kept before. The first
// occurrence is kept.
class PhoneDuplicateFilter {
  public:
    // `reader` writes E.164 and outlives the filter; filters may share it.
    explicit PhoneDuplicateFilter(PhoneNumberReader& reader) : reader_(reader) {}

    // Returns true, and remembers the line, when it is to be kept.
    bool keep(std::string_view line) {
        const NumberVerdict& verdict = reader_.read(line);
        return verdict.valid ? numbers_.insert(numberKey(verdict.text)).second
                             : texts_.insert(line);
    }
    // True when the line is a duplicate of a line kept so far; remembers nothing.
    bool matchesKept(std::string_view line) const {
        const NumberVerdict& verdict = reader_.read(line);
        return verdict.valid ? numbers_.contains(numberKey(verdict.text)) : texts_.contains(line);
    }
    void prefetch(std::string_view) const {}
    // Judges the new numbers among `lines` ahead, on several threads.
    void readAhead(std::span<const std::string_view> lines) { reader_.readAhead(lines); }
    std::size_t keptCount() const { return numbers_.size() + texts_.size(); }

  private:
    PhoneNumberReader& reader_;
    absl::flat_hash_set<std::uint64_t> numbers_;
    PackedLineSet texts_;
};

}  // namespace kelvane::phone
