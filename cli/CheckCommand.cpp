// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CheckCommand.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "base/LineStream.h"
#include "base/Wording.h"
#include "cli/CommandError.h"
#include "cli/InputFile.h"
#include "cli/OutputBuffer.h"
#include "cli/Progress.h"
#include "cli/StandardStreams.h"
#include "core/Messages.h"
#include "core/NumberRule.h"

namespace kelvane::cli {
namespace {

struct Tally {
    std::uint64_t numbers = 0;
    std::uint64_t failures = 0;
};

void checkFile(InputFile& input, OutputBuffer& report, Progress& progress, Tally& tally) {
    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::vector<std::string_view> batch;
    std::uint64_t lineNumber = 0;
    while (lines.nextLines(batch)) {
        for (const std::string_view line : batch) {
            ++lineNumber;
            if (isNumber(line)) {
                ++tally.numbers;
                continue;
            }
            ++tally.failures;
            report.append(input.name());
            report.append(":");
            report.append(std::to_string(lineNumber));
            report.append(": not a number: ");
            report.append(excerpt(line));
            report.append("\n");
        }
    }
}

}  // namespace

int runCheck(const CheckOptions& options) {
    std::vector<std::string> paths = options.files;
    if (paths.empty()) paths.push_back("-");
    // A second reader of standard input would find it read to its end, and count no line.
    if (std::count(paths.begin(), paths.end(), "-") > 1)
        throw CommandError("standard input can be read only once: name - once");
    // Every file is tried before any work, so a misspelt last name does not waste a long run.
    for (const std::string& path : paths) const InputFile probe(path);

    std::unique_ptr<Progress> progress;
    OutputBuffer report([&progress](std::string_view bytes) {
        if (progress) progress->clear();
        writeToStandardOutput(bytes);
    });
    Tally tally;
    for (const std::string& path : paths) {
        InputFile input(path);
        progress = std::make_unique<Progress>("Checking " + input.name(), input.size());
        checkFile(input, report, *progress, tally);
        progress.reset();
    }
    report.flush();
    const std::string total =
        std::string(Messages::kTotalCaption) + std::to_string(tally.numbers) + "\n";
    writeToStandardError(total);
    return tally.failures == 0 ? kExitOk : kExitFound;
}

}  // namespace kelvane::cli
