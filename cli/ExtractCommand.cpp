// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ExtractCommand.h"

#include <cstdint>

#include "base/LineStream.h"
#include "cli/CommandError.h"
#include "cli/InputFile.h"
#include "cli/OutputBuffer.h"
#include "cli/Progress.h"
#include "cli/StandardStreams.h"
#include "phone/ListRules.h"
#include "phone/Regions.h"
#include "phone/Utf8.h"

namespace kelvane::cli {

int runExtract(const ExtractOptions& options) {
    InputFile input(options.input);
    const std::string region = phone::chooseRegion(options.region);
    Progress progress("Finding numbers in " + input.name(), input.size());
    OutputBuffer out([&progress](std::string_view bytes) {
        progress.clear();
        writeToStandardOutput(bytes);
    });
    OutputBuffer report([&progress](std::string_view bytes) {
        progress.clear();
        writeToStandardError(bytes);
    });
    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::uint64_t lineNumber = 0, found = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        for (const std::string_view line : batch) {
            ++lineNumber;
            if (!phone::isUtf8(line))
                phone::appendNotValidLine(report, input.name(), lineNumber, "read in part: ", line,
                                          "not UTF-8");
            for (const std::string& number :
                 phone::findNumbers(line, region, options.leniency, options.format)) {
                ++found;
                if (!options.onlyNumbers) {
                    out.append(input.name());
                    out.append(":");
                    out.append(std::to_string(lineNumber));
                    out.append(": ");
                }
                out.append(number);
                out.append("\n");
            }
        }
    }
    out.flush();
    report.flush();
    return found > 0 ? kExitOk : kExitFound;
}

}  // namespace kelvane::cli
