// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "phone/NumberSearch.h"

namespace kelvane::cli {

struct ExtractOptions {
    std::string input = "-";  // "-": standard input
    std::string region;       // empty: the locale's territory
    phone::Leniency leniency = phone::Leniency::Valid;
    phone::NumberFormat format = phone::NumberFormat::E164;
    bool onlyNumbers = false;
};

// Writes each telephone number found in the text, line by line, as FILE:LINE: NUMBER (or the
// number alone) on standard output; a line that is not UTF-8 is searched with its bad bytes read
// as "?" and reported on standard error. Returns 0 when it found a number, else 1.
int runExtract(const ExtractOptions& options);

}  // namespace kelvane::cli
