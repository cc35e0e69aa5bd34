// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace kelvane {

namespace hashing {

__extension__ typedef unsigned __int128 Product;
inline constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

template <typename Word>
std::uint64_t load(const char* p) {
    Word word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    const Product product = static_cast<Product>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

}  // namespace hashing

// 64-bit hash of a line's bytes; fast on the short lines of a number list. The last 1 to 16
// bytes are read as two words that may overlap, which with the length fixes them exactly.
inline std::uint64_t hashLine(std::string_view line) {
    using namespace hashing;
    const char* p = line.data();
    std::size_t n = line.size();
    std::uint64_t h = n * kMultiplier;
    for (; n > 16; p += 16, n -= 16) {
        h = mix(load<std::uint64_t>(p) ^ h, load<std::uint64_t>(p + 8) ^ kMultiplier);
    }
    std::uint64_t a = 0, b = 0;
    if (n >= 8) {
        a = load<std::uint64_t>(p);
        b = load<std::uint64_t>(p + n - 8);
    } else if (n >= 4) {
        a = load<std::uint32_t>(p);
        b = load<std::uint32_t>(p + n - 4);
    } else if (n > 0) {
        const auto byte = [p](std::size_t i) {
            return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i]));
        };
        a = byte(0) << 16 | byte(n / 2) << 8 | byte(n - 1);
    }
    return mix(a ^ h ^ 0xA0761D6478BD642FULL, b ^ kMultiplier);
}

// A set of lines: one flat table, open addressing with linear probing. A slot is 16 bytes and
// holds a line of up to 15 bytes itself (every telephone number), so most lookups touch one
// cache line; longer lines are kept aside and found through a hash tag in their slot.
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
        __builtin_prefetch(&slots_.data()[hashLine(line) >> shift_]);
    }
    // Inserts `line` unless present; returns true when it was inserted.
    bool insert(std::string_view line);
    std::size_t size() const { return size_; }
    // Makes room for `lines` distinct lines at once, so filling the set never rehashes.
    void reserve(std::size_t lines);
    void clear();

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
    std::vector<std::unique_ptr<char[]>> blocks_;  // copied long lines, never moved once written
    char* blockNext_ = nullptr;
    std::size_t blockFree_ = 0;

    Table slots_;
    unsigned shift_ = 64;  // a slot's index is the top bits of the hash
    std::size_t size_ = 0;
    std::vector<std::string_view> longLines_;
};

}  // namespace kelvane
