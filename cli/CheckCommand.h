// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kelvane::cli {

struct CheckOptions {
    std::vector<std::string> files;  // empty or "-": standard input
};

// Reports every line that is not a number as FILE:LINE: not a number: TEXT on standard output,
// then the count of numbers on standard error. Returns 0 when every line is a number, else 1.
int runCheck(const CheckOptions& options);

}  // namespace kelvane::cli
