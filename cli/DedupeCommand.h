// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/ColumnOptions.h"

namespace kelvane::cli {

struct DedupeOptions {
    std::string input = "-";  // "-": standard input
    std::string output;       // empty: standard output
    std::size_t width = 12;
    std::string phoneRegion;               // not empty: lines are compared as numbers (--phone)
    std::vector<std::string> exceptLists;  // lines taken before the input's first line
    std::string removed;                   // not empty: where the lines not kept go
    std::string types;      // with phoneRegion: a comma list of the kinds of number kept
    ColumnOptions columns;  // rows of a CSV file, compared by one column
    unsigned threads = 0;   // with phoneRegion: the most that judge numbers at once; 0: all
};

// Writes the lines the duplicate rule keeps, each followed by CR LF, then the duplicate summary
// on standard error (with the count of excepted lines when there are except lists). Returns 0.
int runDedupe(const DedupeOptions& options);

}  // namespace kelvane::cli
