// SPDX-License-Identifier: GPL-3.0-or-later
#include "NormalizeCommand.h"

#include <cstdint>

#include "ColumnCommands.h"
#include "CommandError.h"
#include "InputFile.h"
#include "LineStream.h"
#include "ListOutput.h"
#include "ListRules.h"
#include "OutputBuffer.h"
#include "Progress.h"
#include "Regions.h"
#include "StandardStreams.h"
#include "StatusText.h"
#include "TypeFilter.h"

namespace kelvane::cli {
int runNormalize(const NormalizeOptions& options) {
    if (!options.columns.column.empty()) return runNormalizeColumn(options);
    InputFile input(options.input);
    const phone::TypeFilter types(options.types);
    phone::PhoneNumberReader reader(phone::chooseRegion(options.region), options.format,
                                    !types.keepsAll());
    reader.setThreads(options.threads);
    Progress progress("Normalizing " + input.name(), input.size());
    ListOutput numbers(options.output, progress);
    OutputBuffer report([&progress](std::string_view bytes) {
        progress.clear();
        writeToStandardError(bytes);
    });

    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::uint64_t lineNumber = 0, written = 0, failures = 0, otherTypes = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        phone::readBlock(
            reader, batch, [&](std::string_view line, const phone::NumberVerdict& verdict) {
                ++lineNumber;
                if (verdict.valid && types.keeps(verdict.type)) {
                    numbers.appendLine(verdict.text);
                    ++written;
                    return;
                }
                if (verdict.valid) {
                    ++otherTypes;
                    phone::appendNotValidLine(report, input.name(), lineNumber,
                                              "other type: ", line, phone::typeName(verdict.type));
                    return;
                }
                ++failures;
                phone::appendNotValidLine(report, input.name(), lineNumber,
                                          "not a valid number: ", line, verdict.reason);
            });
    }
    numbers.finish();
    const auto count = [](std::uint64_t n, std::string_view one, std::string_view many) {
        return StatusText::count(static_cast<std::int64_t>(n), one, many);
    };
    std::string total = count(written, "number", "numbers") + " written, " +
                        count(failures, "line", "lines") + " not valid";
    if (!types.keepsAll()) total += ", " + count(otherTypes, "line", "lines") + " of other types";
    report.append(total + "\n");
    report.flush();
    return failures == 0 && otherTypes == 0 ? kExitOk : kExitFound;
}

}  // namespace kelvane::cli
