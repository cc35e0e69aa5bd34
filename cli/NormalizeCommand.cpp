// SPDX-License-Identifier: GPL-3.0-or-later
#include "NormalizeCommand.h"

#include <cstdint>

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

namespace kelvane::cli {
int runNormalize(const NormalizeOptions& options) {
    InputFile input(options.input);
    phone::PhoneNumberReader reader(phone::chooseRegion(options.region), options.format);
    Progress progress("Normalizing " + input.name(), input.size());
    ListOutput numbers(options.output, progress);
    OutputBuffer report([&progress](std::string_view bytes) {
        progress.clear();
        writeToStandardError(bytes);
    });

    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::uint64_t lineNumber = 0, written = 0, failures = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        phone::readBlock(
            reader, batch, [&](std::string_view line, const phone::NumberVerdict& verdict) {
                ++lineNumber;
                if (verdict.valid) {
                    numbers.appendLine(verdict.text);
                    ++written;
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
    report.append(count(written, "number", "numbers") + " written, " +
                  count(failures, "line", "lines") + " not valid\n");
    report.flush();
    return failures == 0 ? kExitOk : kExitFound;
}

}  // namespace kelvane::cli
