// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/ColumnOptions.h"
#include "phone/PhoneNumberReader.h"

namespace kelvane::cli {

struct NormalizeOptions {
    std::string input = "-";  // "-": standard input
    std::string output;       // empty: standard output
    std::string region;       // empty: the locale's territory
    phone::NumberFormat format = phone::NumberFormat::E164;
    std::string types;  // a comma list of the kinds of number kept; empty: every kind
    ColumnOptions columns;
    bool keepInvalid = false;  // with a column: rows without a valid number are kept unchanged
    unsigned threads = 0;      // the most that judge numbers at once; 0: the machine's count
};

// Writes every line that is a valid telephone number in the format, each followed by CR LF, in
// file order; reports each other line on standard error as FILE:LINE: not a valid number: TEXT
// (REASON), then how many numbers were written and how many lines were not valid (or of other
// kinds). With a column, rows go out byte for byte with the field replaced. Returns 0 when every
// line was valid and of a kind asked for, else 1.
int runNormalize(const NormalizeOptions& options);

}  // namespace kelvane::cli
