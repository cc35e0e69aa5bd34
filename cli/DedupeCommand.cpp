// SPDX-License-Identifier: GPL-3.0-or-later
#include "DedupeCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>

#include "CommandError.h"
#include "DuplicateRule.h"
#include "InputFile.h"
#include "LineStream.h"
#include "Messages.h"
#include "OutputBuffer.h"
#include "Progress.h"
#include "TextFile.h"

namespace kelvane::cli {
namespace {

// The window's summary; a script is better served by a total of 0 than by none.
std::string summary(std::uint64_t duplicates, std::uint64_t lines) {
    return Messages::duplicateSummary(duplicates, std::to_string(lines)) + "\n";
}

// Starts the replacement of `path`; nothing is replaced until it is committed.
std::unique_ptr<TextFileWriter> startOutputFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw CommandError("cannot write " + path + ": " + systemReason(EISDIR));
    }
    return std::make_unique<TextFileWriter>(path);
}

int dedupe(const DedupeOptions& options) {
    InputFile input(options.input);
    // The input stays open through the run, so OUT may name the input itself: the new file only
    // takes the name once everything has been read.
    std::unique_ptr<TextFileWriter> file;
    if (!options.output.empty()) file = startOutputFile(options.output);

    Progress progress("Removing duplicates from " + input.name(), input.size());
    OutputBuffer kept([&](std::string_view bytes) {
        if (file) return file->write(bytes);
        progress.clear();  // standard output may be the same terminal
        writeAll(STDOUT_FILENO, bytes, "standard output");
    });

    DuplicateFilter filter(options.width, LineSet::Storage::Copied);
    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::uint64_t lineCount = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        lineCount += batch.size();
        filter.keepEach(batch, [&kept](std::string_view line) { kept.appendListLine(line); });
    }
    kept.flush();
    if (file) file->commit();
    progress.clear();
    const std::uint64_t duplicates = lineCount - filter.keptCount();
    writeAll(STDERR_FILENO, summary(duplicates, lineCount), "standard error");
    return kExitOk;
}

}  // namespace

int runDedupe(const DedupeOptions& options) {
    try {
        return dedupe(options);
    } catch (const FileError& error) {  // only the output file reports through FileError
        throw CommandError("cannot write " + options.output + ": " + error.what());
    }
}

}  // namespace kelvane::cli
