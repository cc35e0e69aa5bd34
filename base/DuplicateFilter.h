// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "base/LineSet.h"

namespace kelvane {

// The duplicate rule: a line is a duplicate when its first `width` bytes are empty or equal a
// line kept before as a whole, or when the whole line equals a line kept before. The first
// occurrence is kept, whole. Bytes are compared exactly.
class DuplicateFilter {
  public:
    explicit DuplicateFilter(std::size_t width,
                             LineSet::Storage storage = LineSet::Storage::Borrowed)
        : width_(width), kept_(storage) {}

    // Returns true, and remembers the line, when it is to be kept.
    bool keep(std::string_view line) {
        const std::string_view prefix = line.substr(0, width_);
        if (prefix.empty()) return false;
        if (prefix.size() < line.size() && kept_.contains(prefix)) return false;
        return kept_.insert(line);
    }

    // True when the line's first `width` bytes or the whole line equal a line kept so far;
    // remembers nothing. An empty start alone does not match.
    bool matchesKept(std::string_view line) const {
        const std::string_view prefix = line.substr(0, width_);
        if (prefix.size() < line.size() && !prefix.empty() && kept_.contains(prefix)) return true;
        return kept_.contains(line);
    }

    // How many lines ahead of the one being kept to prefetch: far enough to hide a trip to
    // memory, near enough that the fetched slots are still cached when their turn comes.
    static constexpr std::size_t kLookAhead = 16;

    // A hint that `line` will be offered to keep() soon.
    void prefetch(std::string_view line) const {
        const std::string_view prefix = line.substr(0, width_);
        if (prefix.size() < line.size()) kept_.prefetch(prefix);
        kept_.prefetch(line);
    }

    // keep() for each of `lines` in order, calling `onKept` with each line kept. On a large set
    // this is much faster than a keep() at a time: the slots of the lines a little ahead are
    // fetched from memory while a line is looked up.
    template <typename OnKept>
    void keepEach(std::span<const std::string_view> lines, OnKept&& onKept) {
        for (std::size_t i = 0; i < lines.size() && i < kLookAhead; ++i) prefetch(lines[i]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i + kLookAhead < lines.size()) prefetch(lines[i + kLookAhead]);
            if (keep(lines[i])) onKept(lines[i]);
        }
    }

    std::size_t keptCount() const { return kept_.size(); }
    // Room for `lines` kept lines, when the caller knows how many may come.
    void reserve(std::size_t lines) { kept_.reserve(lines); }

  private:
    std::size_t width_;
    LineSet kept_;
};

}  // namespace kelvane
