// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "LineSet.h"
#include "PhoneNumberReader.h"

namespace kelvane::phone {

// The duplicate rule by telephone number: a valid number is a duplicate when the same number was
// kept before, however it was written (the reader's E.164 texts are compared); a line that is not
// a valid number is a duplicate when the same text was kept before. The first occurrence is kept.
class PhoneDuplicateFilter {
  public:
    // `reader` writes E.164 and outlives the filter; filters may share it.
    explicit PhoneDuplicateFilter(PhoneNumberReader& reader) : reader_(reader) {}

    // Returns true, and remembers the line, when it is to be kept.
    bool keep(std::string_view line) {
        const NumberVerdict& verdict = reader_.read(line);
        return verdict.valid ? numbers_.insert(verdict.text) : texts_.insert(line);
    }
    // True when the line is a duplicate of a line kept so far; remembers nothing.
    bool matchesKept(std::string_view line) const {
        const NumberVerdict& verdict = reader_.read(line);
        return verdict.valid ? numbers_.contains(verdict.text) : texts_.contains(line);
    }
    void prefetch(std::string_view) const {}
    // Judges the new numbers among `lines` ahead, on two threads.
    void readAhead(std::span<const std::string_view> lines) { reader_.readAhead(lines); }
    std::size_t keptCount() const { return numbers_.size() + texts_.size(); }

  private:
    PhoneNumberReader& reader_;
    LineSet numbers_{LineSet::Storage::Borrowed};  // the reader keeps its texts
    LineSet texts_{LineSet::Storage::Copied};
};

}  // namespace kelvane::phone
