// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/LineStream.h"
#include "cli/DedupeCommand.h"
#include "cli/InputFile.h"
#include "cli/ListOutput.h"
#include "cli/Progress.h"
#include "phone/ListRules.h"
#include "phone/PhoneNumberReader.h"
#include "phone/RegistryMatch.h"
#include "phone/TypeFilter.h"

namespace kelvane::cli {

// The counts of dedupe's summary.
struct DedupeTally {
    std::uint64_t lines = 0;
    std::uint64_t kept = 0;
    std::uint64_t excepted = 0;
    std::uint64_t otherTypes = 0;
    std::uint64_t empty = 0;  // CSV rows without a number, all kept
};

// What dedupe opens and checks before it reads a line, one number a line or a CSV column alike:
// the input, the except lists (each must open), the kinds asked for, the telephone-number reader
// and the outputs. Every refusal comes before any output is started.
class DedupeRun {
  public:
    explicit DedupeRun(const DedupeOptions& options);

    // With --phone and except lists larger than the input (or of a size not known ahead, as
    // through a pipe), the input is judged and held first and each except list is then read once,
    // as a registry (see RegistryMatch): memory grows with the input only. Smaller except lists
    // are taken first, and the input streams by.
    bool scrubs() const { return scrubs_; }
    // Offers every line of the except lists to `taken`, before the input's first line.
    template <typename Filter>
    void takeExceptLists(Filter& taken) const {
        forEachExceptBlock(false, [&taken](std::span<const std::string_view> block) {
            phone::takeBlock(block, taken);
        });
    }
    // Reads each except list once into `match`, each with a progress bar of its own.
    void scanRegistries(phone::RegistryMatch& match) const {
        forEachExceptBlock(
            true, [&match](std::span<const std::string_view> block) { match.scan(block); });
    }
    // The kept and removed lines go over their files, the progress bar is cleared, and the
    // summary follows on standard error (with the empty rows of a CSV column when `withEmpty`).
    void finish(const DedupeTally& tally, bool withEmpty);

    const DedupeOptions& options;
    InputFile input;
    phone::TypeFilter types;
    std::string region;  // empty without --phone
    std::optional<phone::PhoneNumberReader> reader;
    Progress progress;
    std::optional<ListOutput> kept;
    std::unique_ptr<ListOutput> removed;

  private:
    // Hands `each` the lines of every except list, one number a line, a block at a time.
    template <typename EachBlock>
    void forEachExceptBlock(bool withProgress, EachBlock&& each) const {
        std::vector<std::string_view> block;
        for (const std::string& path : options.exceptLists) {
            InputFile list(path);
            std::optional<Progress> reading;
            if (withProgress) reading.emplace("Reading " + list.name(), list.size());
            LineStream lines(list.fd(), list.name(), 1 << 20, [&reading](std::uint64_t done) {
                if (reading) reading->update(done);
            });
            while (lines.nextLines(block)) each(std::span<const std::string_view>(block));
        }
    }

    bool scrubs_ = false;
};

// The input's lines (or rows), kept for a second walk once the except lists have been read.
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

// Hands each held line, by its entry, to `kept(line)` or `removed(line)`, as the duplicate rule
// does when the registries' lines come first: a line the registries hold is excepted, else one
// for which `otherKind(i)` is true is of another kind, else the first line of an entry is kept.
// An entry of kAlwaysKept (a row without a number) is kept and counted as empty.
inline constexpr phone::RegistryMatch::Entry kAlwaysKept = UINT32_MAX;

template <typename OtherKind, typename Kept, typename Removed>
DedupeTally sortHeld(const HeldLines& held, const std::vector<phone::RegistryMatch::Entry>& entries,
                     const phone::RegistryMatch& match, OtherKind&& otherKind, Kept&& kept,
                     Removed&& removed) {
    DedupeTally tally;
    tally.lines = held.size();
    phone::ListSorter sorter(match);
    using Fate = phone::ListSorter::Fate;
    for (std::size_t i = 0; i < held.size(); ++i) {
        const bool always = entries[i] == kAlwaysKept;
        const Fate fate = always ? Fate::Kept : sorter.next(entries[i]);
        if (fate == Fate::Listed) {
            ++tally.excepted;
        } else if (otherKind(i)) {
            ++tally.otherTypes;
        } else if (fate == Fate::Kept) {
            kept(held[i]);
            ++tally.kept;
            tally.empty += always;
            continue;
        }
        removed(held[i]);
    }
    return tally;
}

}  // namespace kelvane::cli
