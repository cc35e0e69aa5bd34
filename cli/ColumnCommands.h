// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/DedupeCommand.h"
#include "cli/NormalizeCommand.h"

namespace kelvane::cli {

// normalize and dedupe on a column of a CSV file (options.columns.column not empty): each row goes
// out byte for byte as it came in, with its own line end; the header row, when there is one,
// comes first. An empty line is a row with an empty field. A malformed row, or one with too few
// fields for the column, ends the run (CommandError) before any output file is replaced.
int runNormalizeColumn(const NormalizeOptions& options);
int runDedupeColumn(const DedupeOptions& options);

}  // namespace kelvane::cli
