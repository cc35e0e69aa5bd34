// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NormalizeCommand.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/LineStream.h"
#include "cli/ColumnCommands.h"
#include "cli/NormalizeRun.h"
#include "phone/ListRules.h"

namespace kelvane::cli {
int runNormalize(const NormalizeOptions& options) {
    if (!options.columns.column.empty()) return runNormalizeColumn(options);
    NormalizeRun run(options);
    LineStream lines(run.input.fd(), run.input.name(), 1 << 20,
                     [&run](std::uint64_t done) { run.progress.update(done); });
    std::uint64_t lineNumber = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        phone::readBlock(run.reader, batch,
                         [&](std::string_view line, const phone::NumberVerdict& verdict) {
                             ++lineNumber;
                             if (verdict.valid && run.types.keeps(verdict.type)) {
                                 run.out.appendLine(verdict.text);
                                 ++run.written;
                             } else {
                                 run.reportNotWritten(lineNumber, line, verdict);
                             }
                         });
    }
    return run.finish("line", "lines");
}

}  // namespace kelvane::cli
