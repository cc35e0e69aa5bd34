// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "PhoneNumberReader.h"

namespace kelvane::cli {

struct NormalizeOptions {
    std::string input = "-";  // "-": standard input
    std::string output;       // empty: standard output
    std::string region;       // empty: the locale's territory
    phone::NumberFormat format = phone::NumberFormat::E164;
};

// Writes every line that is a valid telephone number in the format, each followed by CR LF, in
// file order; reports each other line on standard error as FILE:LINE: not a valid number: TEXT
// (REASON), then how many numbers were written and how many lines were not valid. Returns 0 when
// every line was valid, else 1.
int runNormalize(const NormalizeOptions& options);

}  // namespace kelvane::cli
