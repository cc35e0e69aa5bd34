// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

// Inlined: short lines hash in a few instructions.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kelvane {

// The seed every line hash of this process starts from: drawn from the kernel at first use, so
// nobody can build in advance a file whose lines all fall on one slot.
std::uint64_t processHashSeed();

// 64-bit hash of a line's bytes: XXH3, seeded per process.
inline std::uint64_t hashLine(std::string_view line, std::uint64_t seed) {
    return XXH3_64bits_withSeed(line.data(), line.size(), seed);
}

// A set of lines: one flat table, open addressing with linear probing. A slot is 16 bytes and
// holds a line of up to 15 bytes itself (every telephone number), so most lookups touch one
// cache line; longer lines are kept aside and found through a hash tag in their slot.
//
// Why our own set: a general set of string views must follow each slot to the line's bytes,
// a second trip to memory that the inline slot spares; the general sets we tried took three to
// five times as long (the figures are in bench/README.md).
class LineSet {
  public:
    // Where the bytes of an inserted line that does not fit its slot live.
    enum class Storage {
        Borrowed,  // the caller's bytes, which must outlive the set
        Copied,    // a copy the set keeps, for lines read through a reused buffer
    };

    explicit LineSet(Storage storage = Storage::Borrowed);

    bool contains(std::string_view line) const;
    // Starts fetching the table slot for `line` from memory: a lookup soon after finds it cached.
    void prefetch(std::string_view line) const {
        __builtin_prefetch(&slots_.data()[hashLine(line, seed_) >> shift_]);
    }
    // Inserts `line` unless present; returns true when it was inserted.
    bool insert(std::string_view line);
    std::size_t size() const { return size_; }
    // Makes room for `lines` distinct lines at once, so filling the set never rehashes.
    void reserve(std::size_t lines);
    // The most slots any lookup of a stored line walks: near 1 unless lines share hashes.
    std::size_t longestProbe() const;

  private:
    static constexpr std::size_t kShortLine = 15;

    // state 0: free; 1 to 16: a line of state - 1 bytes, in `bytes` and zero-padded;
    // kLongLine: a longer line, with `bytes` holding its hash tag and entry number.
    struct Slot {
        std::uint8_t state;
        char bytes[kShortLine];
    };
    static constexpr std::uint8_t kLongLine = 0xFF;

    // Zeroed memory for the slots, taken from the system in one piece.
    class Table {
      public:
        Table() = default;
        explicit Table(std::size_t slotCount);
        ~Table();
        Table(Table&& other) noexcept;
        Table& operator=(Table&& other) noexcept;
        Slot* data() const { return slots_; }
        std::size_t size() const { return count_; }

      private:
        Slot* slots_ = nullptr;
        std::size_t count_ = 0;
    };

    // The slot `line` would have when stored: short lines compare as 16 bytes.
    Slot slotFor(std::string_view line, std::uint64_t hash) const;
    // Slot index holding `line`, or the free slot where it belongs.
    std::size_t find(std::string_view line, std::uint64_t hash, const Slot& wanted) const;
    void place(const Slot& slot, std::uint64_t hash);
    std::uint64_t hashOf(const Slot& slot) const;
    void rehash(std::size_t slotCount);
    std::string_view keep(std::string_view line);

    Storage storage_;
    std::uint64_t seed_ = processHashSeed();
    std::vector<std::unique_ptr<char[]>> blocks_;  // copied long lines, never moved once written
    char* blockNext_ = nullptr;
    std::size_t blockFree_ = 0;

    Table slots_;
    unsigned shift_ = 64;  // a slot's index is the top bits of the hash
    std::size_t size_ = 0;
    std::vector<std::string_view> longLines_;
};

}  // namespace kelvane
