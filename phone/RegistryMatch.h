// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "absl/container/flat_hash_map.h"
#include "phone/ListRules.h"
#include "phone/NumberKey.h"
#include "phone/PhoneNumberReader.h"
#include "phone/PrefixRewrites.h"

namespace kelvane::phone {

// Which numbers of a calling list a registry holds (a do-not-call list of tens of millions of
// lines), by the rule of the duplicate filter: a valid number is held when a registry line is
// the same number however written, a line that is not one when a registry line has its exact
// text. The calling list is judged first, so that the registry can be read once, as a stream,
// and memory grows with the calling list only: an entry costs a number key in two hash tables
// and a bit.
//
// The library's parse is the cost (make bench, section phone), so a registry line goes to it only
// when it could be one of the list's numbers. A line made of ASCII digits, one leading "+" and the
// separators " -.()/" could be number N only if its digits end with the last
// PrefixRewrites::intactDigits(N) digits of N (see there why): one hash table of such tails
// (with their lengths) says at once, and such a line is let by once every number it could be is
// listed. Any other line ("#12", "1-800-FLOWERS", Arabic-Indic digits, an extension) goes to the
// library. A registry line with the text of one of the list's lines that are not valid numbers is
// that line, and not valid either, by the same reader's rule.
class RegistryMatch {
  public:
    using Entry = std::uint32_t;

    // `region`: the one both lists are read under, as PhoneNumberReader takes it; `threads`: the
    // most that judge registry lines at once (0: the machine's count).
    explicit RegistryMatch(const std::string& region, unsigned threads = 0);

    // The calling list, before any registry line: a valid number (its numberKey) or a line that
    // is not one. Entries count from 0 in order of first appearance; the same number or text
    // gets the same entry.
    Entry enterNumber(std::uint64_t key);
    Entry enterText(std::string_view line);

    // Judges the block of the calling list on several threads with `reader` (which writes E.164)
    // and appends each line's entry to `entries`.
    void enterBlock(PhoneNumberReader& reader, std::span<const std::string_view> block,
                    std::vector<Entry>& entries) {
        readBlock(reader, block, [&](std::string_view line, const NumberVerdict& verdict) {
            entries.push_back(verdict.valid ? enterNumber(numberKey(verdict.text))
                                            : enterText(line));
        });
    }

    // Marks the entries that these registry lines hold.
    void scan(std::span<const std::string_view> lines);

    bool listed(Entry entry) const { return listed_[entry]; }

  private:
    // Longer lines go to the reader, which refuses them unparsed: no buffer for their digits.
    static constexpr std::size_t kLongestLine = 250;
    // A number's national part has at most 17 digits, which a uint64 holds with 5 bits beside.
    static constexpr std::size_t kLongestTail = 17;

    // False only when the line cannot be one of the list's numbers not listed so far.
    bool mayBeListed(std::string_view line) const;
    // The key of the number's entry in tails_, or 0 when its tail is bounded by nothing.
    std::uint64_t tailOf(std::uint64_t key) const;
    void markListed(std::uint64_t key, Entry entry);

    PrefixRewrites rewrites_;
    PhoneNumberReader reader_;  // the registry's: its cache does not grow with the registry

    absl::flat_hash_map<std::uint64_t, Entry> numbers_;
    absl::flat_hash_map<std::string_view, Entry> texts_;  // views of textStore_
    std::deque<std::string> textStore_;
    // tail * 32 + its length -> how many numbers not yet listed end so: a registry line can
    // only repeat what is known once each of the numbers it could be is listed.
    absl::flat_hash_map<std::uint64_t, std::uint32_t> tails_;
    std::uint32_t tailLengths_ = 0;  // bit L: some tail has L digits
    bool judgeEveryLine_ = false;    // some number's tail is bounded by nothing
    std::vector<bool> listed_;
    std::vector<std::string_view> toJudge_;
};

// The calling list's lines in order, by their entries: what the duplicate rule does with each
// when the registry's are taken first. The first line of an entry is kept, later ones repeat
// it; a listed entry's lines are all removed as listed.
class ListSorter {
  public:
    enum class Fate { Kept, Listed, Repeated };

    explicit ListSorter(const RegistryMatch& match) : match_(match) {}

    Fate next(RegistryMatch::Entry entry) {
        const bool first = entry == firstUnseen_;
        if (first) ++firstUnseen_;
        return match_.listed(entry) ? Fate::Listed : first ? Fate::Kept : Fate::Repeated;
    }

  private:
    const RegistryMatch& match_;
    RegistryMatch::Entry firstUnseen_ = 0;  // entries first appear in order
};

}  // namespace kelvane::phone
