// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "cli/InputFile.h"
#include "cli/ListOutput.h"
#include "cli/NormalizeCommand.h"
#include "cli/OutputBuffer.h"
#include "cli/Progress.h"
#include "phone/PhoneNumberReader.h"
#include "phone/TypeFilter.h"

namespace kelvane::cli {

// What normalize opens before it reads a line, one number a line or a CSV column alike, what it
// reports of the lines it does not write, and the totals it ends with.
class NormalizeRun {
  public:
    explicit NormalizeRun(const NormalizeOptions& options);

    // A line (or row) not written: not a valid number, or a number of a kind not asked for.
    void reportNotWritten(std::uint64_t line, std::string_view text,
                          const phone::NumberVerdict& verdict);
    // Writes the output, then the totals, counting what was not written as `one` or `many`
    // ("line", "lines"); returns the exit code.
    int finish(std::string_view one, std::string_view many);

    InputFile input;
    phone::TypeFilter types;
    phone::PhoneNumberReader reader;
    Progress progress;
    ListOutput out;
    OutputBuffer report;
    std::uint64_t written = 0;

  private:
    std::uint64_t failures_ = 0, otherTypes_ = 0;
};

}  // namespace kelvane::cli
