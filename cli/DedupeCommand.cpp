// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DedupeCommand.h"

#include <string>
#include <vector>

#include "base/DuplicateFilter.h"
#include "cli/CommandError.h"
#include "cli/CsvRows.h"
#include "cli/DedupeRun.h"
#include "cli/LineRows.h"
#include "cli/RowFilter.h"
#include "cli/RowOutput.h"
#include "phone/ListRules.h"
#include "phone/NumberKey.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/RegistryMatch.h"

namespace kelvane::cli {
namespace {

// Sends each row to the kept or the removed output, the except lists taken first into `excepted`
// (whole: a number they hold is excepted whatever its kind).
template <typename Rows, typename Filter>
DedupeTally sortRows(DedupeRun& run, Rows& rows, Filter& filter, Filter& excepted) {
    run.takeExceptLists(excepted);
    RowFilter sorting(filter, run.reader ? &*run.reader : nullptr, run.types, Rows::kKeepsEmpty);
    const RowFilter exceptedRows(excepted, nullptr, run.types, Rows::kKeepsEmpty);
    RowOutput kept(&*run.kept, rows), removed(run.removed.get(), rows);
    DedupeTally tally;
    while (rows.next()) {
        if (!rows.header().empty()) {
            kept.append(rows.header());
            removed.append(rows.header());
        }
        tally.lines += rows.values().size();
        const std::span<const std::string_view> raws = rows.raws();
        std::size_t i = 0;
        tally.excepted += phone::sortBlock(
            rows.values(), sorting, run.options.exceptLists.empty() ? nullptr : &exceptedRows,
            [&](std::string_view) { kept.append(raws[i++]); },
            [&](std::string_view) { removed.append(raws[i++]); });
    }
    tally.kept = sorting.keptCount();
    tally.empty = sorting.emptyCount();
    tally.otherTypes = sorting.otherTypeCount();
    return tally;
}

// What sortRows gives with a PhoneDuplicateFilter, but with the rows judged and held first and
// the except lists (registries, maybe through a pipe) only read once through a RegistryMatch, so
// that memory grows with the input only.
template <typename Rows>
DedupeTally scrubRows(DedupeRun& run, Rows& rows) {
    phone::RegistryMatch match(run.region, run.options.threads);
    std::vector<phone::RegistryMatch::Entry> entries;
    std::vector<bool> otherKind;
    HeldLines held;
    std::string header;  // its view goes with the next batch
    while (rows.next()) {
        if (!rows.header().empty()) header = rows.header();
        const std::span<const std::string_view> values = rows.values(), raws = rows.raws();
        run.reader->readAhead(values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            held.append(raws[i]);
            if (Rows::kKeepsEmpty && values[i].empty()) {
                entries.push_back(kAlwaysKept);
                otherKind.push_back(false);
                continue;
            }
            const phone::NumberVerdict& verdict = run.reader->read(values[i]);
            entries.push_back(verdict.valid ? match.enterNumber(phone::numberKey(verdict.text))
                                            : match.enterText(values[i]));
            otherKind.push_back(verdict.valid && !run.types.keeps(verdict.type));
        }
    }
    run.scanRegistries(match);
    RowOutput kept(&*run.kept, rows), removed(run.removed.get(), rows);
    if (!header.empty()) {
        kept.append(header);
        removed.append(header);
    }
    return sortHeld(
        held, entries, match, [&](std::size_t i) { return otherKind[i]; },
        [&](std::string_view row) { kept.append(row); },
        [&](std::string_view row) { removed.append(row); });
}

template <typename Rows>
void dedupeRows(DedupeRun& run, Rows& rows) {
    DedupeTally tally;
    if (run.scrubs()) {
        tally = scrubRows(run, rows);
    } else if (run.reader) {
        phone::PhoneDuplicateFilter filter(*run.reader), excepted(*run.reader);
        tally = sortRows(run, rows, filter, excepted);
    } else {
        DuplicateFilter filter(run.options.width, LineSet::Storage::Copied);
        DuplicateFilter excepted(run.options.width, LineSet::Storage::Copied);
        tally = sortRows(run, rows, filter, excepted);
    }
    run.finish(tally, Rows::kKeepsEmpty);
}

}  // namespace

int runDedupe(const DedupeOptions& options) {
    DedupeRun run(options);
    if (!options.columns.column.empty()) {
        CsvRows rows(run.input, options.columns, run.progress);
        dedupeRows(run, rows);
    } else {
        LineRows rows(run.input, run.progress);
        dedupeRows(run, rows);
    }
    return kExitOk;
}

}  // namespace kelvane::cli
