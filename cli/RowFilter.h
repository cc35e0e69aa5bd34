// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "phone/PhoneNumberReader.h"
#include "phone/TypeFilter.h"

namespace kelvane::cli {

// A duplicate filter as dedupe's --type and --column see it: a valid number of a kind not asked
// for is set aside (`reader` judges kinds; null when there is no telephone-number rule), and with
// `keepEmpty` an empty field, a contact without a number, is kept and is nobody's duplicate.
template <typename Filter>
class RowFilter {
  public:
    RowFilter(Filter& inner, phone::PhoneNumberReader* reader, const phone::TypeFilter& types,
              bool keepEmpty)
        : inner_(inner),
          reader_(types.keepsAll() ? nullptr : reader),
          types_(types),
          keepEmpty_(keepEmpty) {}

    bool keep(std::string_view line) {
        if (keepEmpty_ && line.empty()) {
            ++empty_;
            return true;
        }
        if (reader_) {
            const phone::NumberVerdict& verdict = reader_->read(line);
            if (verdict.valid && !types_.keeps(verdict.type)) {
                ++otherTypes_;
                return false;
            }
        }
        return inner_.keep(line);
    }
    bool matchesKept(std::string_view line) const {
        return !(keepEmpty_ && line.empty()) && inner_.matchesKept(line);
    }
    void prefetch(std::string_view line) const requires requires(const Filter& f) {
        f.prefetch(line);
    }
    { inner_.prefetch(line); }
    void readAhead(std::span<const std::string_view> lines) requires requires(Filter& f) {
        f.readAhead(lines);
    }
    { inner_.readAhead(lines); }

    std::uint64_t keptCount() const { return inner_.keptCount() + empty_; }
    std::uint64_t emptyCount() const { return empty_; }
    std::uint64_t otherTypeCount() const { return otherTypes_; }

  private:
    Filter& inner_;
    phone::PhoneNumberReader* reader_;
    const phone::TypeFilter& types_;
    bool keepEmpty_;
    std::uint64_t empty_ = 0, otherTypes_ = 0;
};

}  // namespace kelvane::cli
