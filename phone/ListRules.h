// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/DuplicateFilter.h"
#include "base/Wording.h"
#include "phone/PhoneNumberReader.h"

// The loops over a block of lines that the batch command and the window run alike, so that both
// give the same lines for the same list. A block is a few thousand lines: big enough that judging
// its new numbers on several threads pays, small enough that the window is not kept waiting.
namespace kelvane::phone {

// Judges the block's new numbers on several threads, then hands each line with its verdict to
// `each(line, verdict)`, in order.
template <typename Each>
void readBlock(PhoneNumberReader& reader, std::span<const std::string_view> block, Each&& each) {
    reader.readAhead(block);
    for (const std::string_view line : block) each(line, reader.read(line));
}

// Offers each line of the block to `taken`, as lines that come before a list (except lists, the
// numbers to strike).
template <typename Filter>
void takeBlock(std::span<const std::string_view> block, Filter& taken) {
    if constexpr (requires { taken.readAhead(block); }) taken.readAhead(block);
    for (const std::string_view line : block) taken.keep(line);
}

// Sends each line of the block to `kept(line)` when `filter` keeps it, else to `removed(line)`;
// a line that matches one `excepted` took is removed whatever came before it (`excepted` may be
// null). Returns how many lines `excepted` removed.
template <typename Filter, typename Excepted, typename Kept, typename Removed>
std::uint64_t sortBlock(std::span<const std::string_view> block, Filter& filter,
                        const Excepted* excepted, Kept&& kept, Removed&& removed) {
    constexpr std::size_t kAhead = DuplicateFilter::kLookAhead;
    constexpr bool prefetches = requires {
        filter.prefetch(block[0]);
    };
    if constexpr (requires { filter.readAhead(block); }) filter.readAhead(block);
    if constexpr (prefetches) {
        for (std::size_t i = 0; i < std::min(block.size(), kAhead); ++i) filter.prefetch(block[i]);
    }
    std::uint64_t exceptedCount = 0;
    for (std::size_t i = 0; i < block.size(); ++i) {
        if constexpr (prefetches) {
            if (i + kAhead < block.size()) filter.prefetch(block[i + kAhead]);
        }
        const std::string_view line = block[i];
        if (excepted && excepted->matchesKept(line)) {
            ++exceptedCount;
        } else if (filter.keep(line)) {
            kept(line);
            continue;
        }
        removed(line);
    }
    return exceptedCount;
}

// Appends "FILE:LINE: LABELTEXT (REASON)" and a line feed to `out` (anything with
// append(std::string_view)): a line that was not read as a number, cut as the status line cuts
// it, control characters made visible.
template <typename Sink>
void appendNotValidLine(Sink& out, std::string_view file, std::uint64_t lineNumber,
                        std::string_view label, std::string_view line, std::string_view reason) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, lineNumber).ptr;
    out.append(file);
    out.append(std::string_view(":"));
    out.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    out.append(std::string_view(": "));
    out.append(label);
    out.append(std::string_view(excerpt(line)));
    out.append(std::string_view(" ("));
    out.append(reason);
    out.append(std::string_view(")\n"));
}

}  // namespace kelvane::phone
