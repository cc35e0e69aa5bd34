// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kelvane {

// 64-bit hash of a line's bytes; fast on the short lines of a number list.
std::uint64_t hashLine(std::string_view line);

// A set of lines, open addressing with linear probing. Each table slot is 8 bytes (entry number
// and a hash tag), so the set costs about 32 bytes per distinct line on top of the lines.
class LineSet {
public:
    // Where the bytes of an inserted line live.
    enum class Storage {
        Borrowed,  // the caller's bytes, which must outlive the set
        Copied,    // a copy the set keeps, for lines read through a reused buffer
    };

    explicit LineSet(Storage storage = Storage::Borrowed) : storage_(storage) { rehash(1024); }

    bool contains(std::string_view line) const;
    // Starts fetching the table slot for `line` from memory: a lookup soon after finds it cached.
    void prefetch(std::string_view line) const {
        __builtin_prefetch(&slots_[hashLine(line) & mask_]);
    }
    // Inserts `line` unless present; returns true when it was inserted.
    bool insert(std::string_view line);
    std::size_t size() const { return entries_.size(); }
    // Makes room for `lines` distinct lines at once, so filling the set never rehashes.
    void reserve(std::size_t lines);
    void clear();

private:
    struct Slot {
        std::uint32_t entry = 0;  // entry number + 1; 0 is a free slot
        std::uint32_t tag = 0;    // upper hash bits, to skip most byte comparisons
    };

    // Slot index holding `line`, or the free slot where it belongs.
    std::size_t find(std::string_view line, std::uint64_t hash) const;
    void rehash(std::size_t slotCount);
    std::string_view keep(std::string_view line);

    Storage storage_;
    std::vector<std::unique_ptr<char[]>> blocks_;  // copied lines, never moved once written
    char* blockNext_ = nullptr;
    std::size_t blockFree_ = 0;

    std::vector<Slot> slots_;
    std::vector<std::string_view> entries_;
    std::size_t mask_ = 0;
};

}  // namespace kelvane
