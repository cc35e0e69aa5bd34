// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DedupeCommand.h"

#include <cstdint>

#include "base/DuplicateFilter.h"
#include "base/LineStream.h"
#include "cli/ColumnCommands.h"
#include "cli/CommandError.h"
#include "cli/DedupeRun.h"
#include "cli/ListOutput.h"
#include "cli/RowFilter.h"
#include "phone/ListRules.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/PhoneNumberReader.h"
#include "phone/RegistryMatch.h"
#include "phone/TypeFilter.h"

namespace kelvane::cli {
namespace {

// Sends each line to `kept` or `removed`: a line that matches one `excepted` took is removed
// whatever came before it.
template <typename Filter>
DedupeTally sortLines(LineStream& lines, Filter& filter, const Filter* excepted, ListOutput& kept,
                      ListOutput* removed) {
    DedupeTally tally;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        tally.lines += batch.size();
        tally.excepted += phone::sortBlock(
            batch, filter, excepted, [&](std::string_view line) { kept.appendLine(line); },
            [&](std::string_view line) {
                if (removed) removed->appendLine(line);
            });
    }
    tally.kept = filter.keptCount();
    return tally;
}

// What sortLines gives with a PhoneDuplicateFilter that took every line of the except lists
// first, but with the input judged first and the except lists (registries, maybe through a pipe)
// only read once through a RegistryMatch, so that memory grows with the input only.
DedupeTally scrubLines(DedupeRun& run, LineStream& lines) {
    phone::RegistryMatch match(run.region, run.options.threads);
    std::vector<phone::RegistryMatch::Entry> entries;
    HeldLines held;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        for (const std::string_view line : batch) held.append(line);
        match.enterBlock(*run.reader, batch, entries, [&run](const phone::NumberVerdict& verdict) {
            return !run.types.keeps(verdict.type);
        });
    }
    run.scanRegistries(match);
    return sortHeld(
        held, entries, match, [](std::size_t) { return false; },
        [&](std::string_view line) { run.kept->appendLine(line); },
        [&](std::string_view line) {
            if (run.removed) run.removed->appendLine(line);
        });
}

}  // namespace

int runDedupe(const DedupeOptions& options) {
    if (!options.columns.column.empty()) return runDedupeColumn(options);
    DedupeRun run(options);
    LineStream lines(run.input.fd(), run.input.name(), 1 << 20,
                     [&run](std::uint64_t done) { run.progress.update(done); });
    const auto sort = [&](auto& filter, auto& excepted) {
        run.takeExceptLists(excepted);
        return sortLines(lines, filter, options.exceptLists.empty() ? nullptr : &excepted,
                         *run.kept, run.removed.get());
    };
    DedupeTally tally;
    phone::PhoneNumberReader* reader = run.reader ? &*run.reader : nullptr;
    if (run.scrubs()) {
        tally = scrubLines(run, lines);
    } else if (reader && !run.types.keepsAll()) {
        phone::PhoneDuplicateFilter filter(*reader), excepted(*reader);
        RowFilter typed(filter, reader, run.types, false),
            typedExcepted(excepted, reader, run.types, false);
        tally = sort(typed, typedExcepted);
        tally.otherTypes = typed.otherTypeCount();
    } else if (reader) {
        phone::PhoneDuplicateFilter filter(*reader), excepted(*reader);
        tally = sort(filter, excepted);
    } else {
        DuplicateFilter filter(options.width, LineSet::Storage::Copied);
        DuplicateFilter excepted(options.width, LineSet::Storage::Copied);
        tally = sort(filter, excepted);
    }
    run.finish(tally, false);
    return kExitOk;
}

}  // namespace kelvane::cli
