// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NormalizeCommand.h"

#include <string_view>

#include "cli/CsvRows.h"
#include "cli/LineRows.h"
#include "cli/NormalizeRun.h"
#include "cli/RowOutput.h"
#include "phone/ListRules.h"

namespace kelvane::cli {
namespace {

template <typename Rows>
int normalizeRows(NormalizeRun& run, Rows& rows, bool keepInvalid) {
    RowOutput out(&run.out, rows);
    while (rows.next()) {
        if (!rows.header().empty()) out.append(rows.header());
        std::size_t i = 0;
        phone::readBlock(run.reader, rows.values(),
                         [&](std::string_view text, const phone::NumberVerdict& verdict) {
                             const std::size_t row = i++;
                             if (verdict.valid && run.types.keeps(verdict.type)) {
                                 rows.writeNumber(out, row, verdict.text);
                                 ++run.written;
                                 return;
                             }
                             run.reportNotWritten(rows.lineNumber(row), text, verdict);
                             if (!verdict.valid && keepInvalid) out.append(rows.raws()[row]);
                         });
    }
    return run.finish(Rows::kOne, Rows::kMany);
}

}  // namespace

int runNormalize(const NormalizeOptions& options) {
    NormalizeRun run(options);
    if (!options.columns.column.empty()) {
        CsvRows rows(run.input, options.columns, run.progress);
        return normalizeRows(run, rows, options.keepInvalid);
    }
    LineRows rows(run.input, run.progress);
    return normalizeRows(run, rows, options.keepInvalid);
}

}  // namespace kelvane::cli
