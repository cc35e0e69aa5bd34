// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvane::cli {

// A column of a CSV file as the list (--column, --delimiter, --no-header).
struct ColumnOptions {
    std::string column;     // a header name or a number from 1; empty: one number a line
    std::string delimiter;  // empty: a tab for a .tsv file, else a comma
    bool noHeader = false;
};

}  // namespace kelvane::cli
