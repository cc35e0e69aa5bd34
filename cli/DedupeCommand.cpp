// SPDX-License-Identifier: GPL-3.0-or-later
#include "DedupeCommand.h"

#include <cstdint>
#include <memory>
#include <optional>

#include "ColumnCommands.h"
#include "CommandError.h"
#include "DuplicateFilter.h"
#include "InputFile.h"
#include "LineStream.h"
#include "ListOutput.h"
#include "ListRules.h"
#include "Messages.h"
#include "PhoneDuplicateFilter.h"
#include "PhoneNumberReader.h"
#include "Progress.h"
#include "Regions.h"
#include "RegistryMatch.h"
#include "RowFilter.h"
#include "StandardStreams.h"
#include "TypeFilter.h"

namespace kelvane::cli {
namespace {

struct Tally {
    std::uint64_t lines = 0;
    std::uint64_t kept = 0;
    std::uint64_t excepted = 0;
    std::uint64_t otherTypes = 0;
};

// The window's summary, and how many lines the except lists took; a script is better served by
// a total of 0 than by none.
std::string summary(const Tally& tally, bool withExcepted, bool withTypes) {
    std::string text = Messages::duplicateSummary(
        tally.lines - tally.kept - tally.excepted - tally.otherTypes, std::to_string(tally.lines));
    if (withExcepted) text += "  Excepted:   " + std::to_string(tally.excepted);
    if (withTypes) text += "  Other Types:   " + std::to_string(tally.otherTypes);
    return text + "\n";
}

// Offers every line of the lists to `taken`.
template <typename Filter>
void takeLists(const std::vector<std::string>& paths, Filter& taken) {
    std::vector<std::string_view> batch;
    for (const std::string& path : paths) {
        InputFile list(path);
        LineStream lines(list.fd(), list.name());
        while (lines.nextLines(batch)) phone::takeBlock(batch, taken);
    }
}

// Sends each line to `kept` or `removed`: a line that matches one `excepted` took is removed
// whatever came before it.
template <typename Filter>
Tally sortLines(LineStream& lines, Filter& filter, const Filter* excepted, ListOutput& kept,
                ListOutput* removed) {
    Tally tally;
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

// The input's lines, kept for a second walk once the except lists have been read.
class HeldLines {
  public:
    void append(std::string_view line) {
        bytes_.append(line);
        ends_.push_back(bytes_.size());
    }
    std::size_t size() const { return ends_.size(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(bytes_).substr(start, ends_[i] - start);
    }

  private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

// What sortLines gives with a PhoneDuplicateFilter that took every line of the except lists
// first, but with the input judged first and the except lists (registries, maybe through a pipe)
// only read once through a RegistryMatch, so that memory grows with the input only.
Tally scrubLines(LineStream& lines, phone::PhoneNumberReader& reader, const std::string& region,
                 unsigned threads, const phone::TypeFilter& types,
                 const std::vector<std::string>& exceptLists, ListOutput& kept,
                 ListOutput* removed) {
    phone::RegistryMatch match(region, threads);
    std::vector<phone::RegistryMatch::Entry> entries;
    HeldLines held;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        for (const std::string_view line : batch) held.append(line);
        match.enterBlock(reader, batch, entries, [&types](const phone::NumberVerdict& verdict) {
            return !types.keeps(verdict.type);
        });
    }
    for (const std::string& path : exceptLists) {
        InputFile list(path);
        Progress progress("Reading " + list.name(), list.size());
        LineStream registry(list.fd(), list.name(), 1 << 20,
                            [&progress](std::uint64_t done) { progress.update(done); });
        while (registry.nextLines(batch)) match.scan(batch);
    }

    Tally tally;
    tally.lines = held.size();
    phone::ListSorter sorter(match);
    using Fate = phone::ListSorter::Fate;
    for (std::size_t i = 0; i < held.size(); ++i) {
        const Fate fate = sorter.next(entries[i]);
        if (fate == Fate::Kept) {
            kept.appendLine(held[i]);
            ++tally.kept;
            continue;
        }
        if (fate == Fate::Listed) ++tally.excepted;
        if (fate == Fate::SetAside) ++tally.otherTypes;
        if (removed) removed->appendLine(held[i]);
    }
    return tally;
}

}  // namespace

int runDedupe(const DedupeOptions& options) {
    if (!options.columns.column.empty()) return runDedupeColumn(options);
    InputFile input(options.input);
    for (const std::string& path : options.exceptLists) const InputFile probe(path);
    const phone::TypeFilter types(options.types);
    std::optional<phone::PhoneNumberReader> reader;
    const std::string region =
        options.phoneRegion.empty() ? "" : phone::supportedRegion(options.phoneRegion);
    if (!region.empty()) {
        reader.emplace(region, phone::NumberFormat::E164, !types.keepsAll());
        reader->setThreads(options.threads);
    }
    if (!options.removed.empty() && options.removed == options.output) {
        throw CommandError("the kept and the removed lines cannot both go to " + options.output);
    }

    Progress progress("Removing duplicates from " + input.name(), input.size());
    // OUT may name the input itself: nothing goes over a file before finish(), and finish()
    // comes after the last line of every input has been read.
    ListOutput kept(options.output, progress);
    std::unique_ptr<ListOutput> removed;
    if (!options.removed.empty()) removed = std::make_unique<ListOutput>(options.removed, progress);

    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    const auto run = [&](auto& filter, auto& excepted) {
        takeLists(options.exceptLists, excepted);
        return sortLines(lines, filter, options.exceptLists.empty() ? nullptr : &excepted, kept,
                         removed.get());
    };
    Tally tally;
    if (reader && !options.exceptLists.empty()) {
        tally = scrubLines(lines, *reader, region, options.threads, types, options.exceptLists,
                           kept, removed.get());
    } else if (reader && !types.keepsAll()) {
        phone::PhoneDuplicateFilter filter(*reader), excepted(*reader);
        RowFilter typed(filter, &*reader, types, false),
            typedExcepted(excepted, &*reader, types, false);
        tally = run(typed, typedExcepted);
        tally.otherTypes = typed.otherTypeCount();
    } else if (reader) {
        phone::PhoneDuplicateFilter filter(*reader), excepted(*reader);
        tally = run(filter, excepted);
    } else {
        DuplicateFilter filter(options.width, LineSet::Storage::Copied);
        DuplicateFilter excepted(options.width, LineSet::Storage::Copied);
        tally = run(filter, excepted);
    }
    kept.finish();
    if (removed) removed->finish();
    progress.clear();
    writeToStandardError(summary(tally, !options.exceptLists.empty(), !types.keepsAll()));
    return kExitOk;
}

}  // namespace kelvane::cli
