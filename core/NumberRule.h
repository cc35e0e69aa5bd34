// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kelvane {

// True when `line`, apart from blanks (space, tab) around it, is one number: at most one sign
// ("+" or "-") before or after it; digits with "," between digit groups and at most one ".";
// then an optional exponent ("E" or "e", an optional sign, digits). A telephone number of any
// length passes; "050-1234567" and "050 1234567" do not.
bool isNumber(std::string_view line);

}  // namespace kelvane
