// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "absl/container/flat_hash_set.h"
#include "base/LineSet.h"

namespace kelvane::phone {

// A set of lines in little memory: each line is copied once, after its length, into blocks of
// bytes, and an absl::flat_hash_set holds 8 bytes a line that say where (up to 7/8 full, so 9 to
// 18 bytes a line with its control byte), instead of a string or a 16-byte slot. A lookup costs a
// hash, the set's group and the line's bytes.
//
// Why: dedupe --phone keeps the lines that are not valid numbers whole, and on a merged calling
// list they can be a third of its distinct lines. LineSet, built for speed, keeps its table at
// most half full of 16-byte slots; here they take less than half of that (make bench, section
// memory, line dedupe --phone; bench/README.md).
class PackedLineSet {
  public:
    PackedLineSet();

    bool contains(std::string_view line) const { return lines_.contains(line); }
    // Inserts a copy of `line` unless present; returns true when it was inserted.
    bool insert(std::string_view line);
    std::size_t size() const { return lines_.size(); }

  private:
    // Where the copies live; a line's place is its block's number, shifted, plus its offset.
    class Blocks {
      public:
        std::uint64_t append(std::string_view line);
        std::string_view lineAt(std::uint64_t place) const;

      private:
        std::vector<std::unique_ptr<char[]>> blocks_;
        std::size_t used_ = 0;  // of the last block
    };
    struct Hash {
        using is_transparent = void;
        const Blocks* blocks;
        std::uint64_t seed;
        std::size_t operator()(std::string_view line) const { return hashLine(line, seed); }
        std::size_t operator()(std::uint64_t place) const { return (*this)(blocks->lineAt(place)); }
    };
    struct Equal {
        using is_transparent = void;
        const Blocks* blocks;
        bool operator()(std::uint64_t a, std::uint64_t b) const { return a == b; }
        bool operator()(std::uint64_t place, std::string_view line) const {
            return blocks->lineAt(place) == line;
        }
        bool operator()(std::string_view line, std::uint64_t place) const {
            return (*this)(place, line);
        }
    };

    std::unique_ptr<Blocks> blocks_;  // in a place of its own, which Hash and Equal point to
    absl::flat_hash_set<std::uint64_t, Hash, Equal> lines_;
};

}  // namespace kelvane::phone
