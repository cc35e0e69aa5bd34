// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvane::cli {

struct InfoOptions {
    std::string input = "-";  // "-": standard input
    std::string region;       // empty: the locale's territory
    bool summary = false;
    unsigned threads = 0;  // the most that judge numbers at once; 0: the machine's count
};

// Writes, for each line, tab-separated: the line, valid or invalid, and for a valid number its
// E.164 form, region, kind and place (in the locale's language, else English); with `summary`,
// a table of how many lines there are of each region and kind instead, each count with a bar.
// Returns 0.
int runInfo(const InfoOptions& options);

}  // namespace kelvane::cli
