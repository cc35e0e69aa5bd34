// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DedupeRun.h"

#include <algorithm>

#include "cli/CommandError.h"
#include "cli/StandardStreams.h"
#include "core/Messages.h"
#include "phone/Regions.h"

namespace kelvane::cli {

DedupeRun::DedupeRun(const DedupeOptions& options)
    : options(options),
      input(options.input),
      types(options.types),
      region(options.phoneRegion.empty() ? "" : phone::supportedRegion(options.phoneRegion)),
      progress("Removing duplicates from " + input.name(), input.size()) {
    // A second reader of standard input would find it read to its end, an empty list.
    if (std::count(options.exceptLists.begin(), options.exceptLists.end(), "-") +
            (options.input == "-") >
        1) {
        throw CommandError(
            "standard input can be read only once: name - once, as FILE or as one --except list");
    }
    std::uint64_t exceptBytes = 0;
    bool sizesKnown = input.size() > 0;
    for (const std::string& path : options.exceptLists) {
        const InputFile probe(path);
        exceptBytes += probe.size();
        sizesKnown = sizesKnown && probe.size() > 0;
    }
    if (!region.empty()) {
        reader.emplace(region, phone::NumberFormat::E164, !types.keepsAll());
        reader->setThreads(options.threads);
        scrubs_ = !options.exceptLists.empty() && (!sizesKnown || exceptBytes > input.size());
    }
    if (!options.removed.empty() && options.removed == options.output) {
        throw CommandError("the kept and the removed lines cannot both go to " + options.output);
    }
    // OUT may name the input itself: nothing goes over a file before finish(), and finish()
    // comes after the last line of every input has been read.
    kept.emplace(options.output, progress);
    if (!options.removed.empty()) removed = std::make_unique<ListOutput>(options.removed, progress);
}

void DedupeRun::finish(const DedupeTally& tally, bool withEmpty) {
    kept->finish();
    if (removed) removed->finish();
    progress.clear();
    // The window's summary, and how many lines the except lists took; a script is better served
    // by a total of 0 than by none.
    std::string summary = Messages::duplicateSummary(
        tally.lines - tally.kept - tally.excepted - tally.otherTypes, std::to_string(tally.lines));
    if (!options.exceptLists.empty()) summary += "  Excepted:   " + std::to_string(tally.excepted);
    if (!types.keepsAll()) summary += "  Other Types:   " + std::to_string(tally.otherTypes);
    if (withEmpty) summary += "  Empty:   " + std::to_string(tally.empty);
    writeToStandardError(summary + "\n");
}

}  // namespace kelvane::cli
