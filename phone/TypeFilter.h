// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <stdexcept>
#include <string_view>

#include "phone/NumberType.h"

namespace kelvane::phone {

// A type name that is not one of typeName()'s; what() lists them.
struct TypeError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// The kinds of number a list keeps, from a comma list of typeName()s ("mobile,toll-free"). A
// number the plan cannot tell mobile from fixed line is kept when either is asked for.
class TypeFilter {
  public:
    // An empty list keeps every kind. Throws TypeError on a name it does not know.
    explicit TypeFilter(std::string_view list);

    bool keepsAll() const { return wanted_.all(); }
    bool keeps(NumberType type) const {
        const auto bit = [](NumberType t) { return static_cast<std::size_t>(t); };
        return wanted_[bit(type)] ||
               (type == NumberType::FixedLineOrMobile &&
                (wanted_[bit(NumberType::Mobile)] || wanted_[bit(NumberType::FixedLine)]));
    }

  private:
    std::bitset<static_cast<std::size_t>(NumberType::Unknown) + 1> wanted_;
};

}  // namespace kelvane::phone
