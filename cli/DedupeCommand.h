// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace kelvane::cli {

struct DedupeOptions {
    std::string input = "-";  // "-": standard input
    std::string output;       // empty: standard output
    std::size_t width = 12;
};

// Writes the lines the duplicate rule keeps, each followed by CR LF, then the duplicate summary
// on standard error. Returns 0.
int runDedupe(const DedupeOptions& options);

}  // namespace kelvane::cli
