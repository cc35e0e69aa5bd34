// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "phone/NumberType.h"

namespace kelvane::phone {

// The verdicts on the keys judged last, in a fixed budget of memory: a reader's memory stays the
// same on a list of a hundred lines or of a billion.
//
// A verdict goes into a ring of bytes right after the one before it, with its key and its text;
// once the ring is full the oldest are written over: first in, first out. An index of 8-byte
// slots, 8 to a 64-byte set, finds a key's record: a slot holds 24 bits of the key's hash and
// where the record starts, and the oldest slot of a full set goes to a new key. A lookup costs a
// hash, one set and the record, where a map that held key, verdict and text apart would cost a
// trip to memory for each.
//
// Why not least recently used: in a merged calling list a number comes back at any distance, so
// keeping the used ones longer helps little, and the bookkeeping on every hit would cost a write.
// On the 200,000-line bench list (112,136 distinct keys, 37 bytes a record) every key fits and no
// line is judged twice. On 10,000,000 lines (5,580,000 distinct keys) no budget of this size
// keeps most of them: first in, first out judges 8,887,000 keys there, least recently used
// 8,883,000 (both simulated at 340,000 verdicts), and keeping every verdict 5,580,000 (in a
// gigabyte).
//
// Why our own: a general map keeps each key and text in memory of its own, several times what a
// verdict takes here, and none of absl's or the standard library's maps has a size limit; here a
// verdict takes 8 bytes of index and its record (bench/README.md has the figures for the 16 MiB
// budget).
class VerdictCache {
  public:
    // A verdict as kept: `text` is the number in the reader's format when valid, the reason
    // when not.
    struct Verdict {
        bool valid = false;
        NumberType type = NumberType::Unknown;
        std::string_view text;
    };

    static constexpr std::size_t kDefaultBytes = std::size_t{16} << 20;

    // `bytes`: the whole budget, index and ring, taken from the system at once (pages are
    // backed as they are first written).
    explicit VerdictCache(std::size_t bytes = kDefaultBytes);
    ~VerdictCache();
    VerdictCache(const VerdictCache&) = delete;
    VerdictCache& operator=(const VerdictCache&) = delete;

    // `key`'s verdict, when it is still kept; its text stays valid until the next put().
    std::optional<Verdict> find(std::string_view key) const;
    // Keeps `key`'s verdict, the oldest written over for room, and returns it as kept. A record
    // larger than a sixteenth of the ring is not kept: the verdict comes back as given.
    Verdict put(std::string_view key, const Verdict& verdict);

  private:
    static constexpr std::size_t kWays = 8;
    static constexpr unsigned kTagBits = 24;
    static constexpr std::uint64_t kTagMask = (std::uint64_t{1} << kTagBits) - 1;
    // A slot names its record's start in 8-byte units, plus one (0: empty), in the other 40 bits.
    static constexpr std::uint64_t kUnitLimit = std::uint64_t{1} << (64 - kTagBits);

    struct Header {
        std::uint32_t keySize;
        std::uint16_t textSize;
        std::uint8_t valid;
        std::uint8_t type;
    };

    std::uint64_t* setOf(std::uint64_t hash) const { return index_ + (hash >> setShift_) * kWays; }
    // The record `slot` names when it is `key`'s and not written over, else null.
    const char* recordOf(std::uint64_t slot, std::uint64_t hash, std::string_view key) const;
    static Verdict verdictOf(const char* record);

    std::uint64_t seed_;
    std::size_t bytes_;
    void* memory_;
    std::uint64_t* index_;
    unsigned setShift_;
    char* ring_;
    std::size_t ringBytes_;
    std::uint64_t head_ = 0;  // where the next record goes, counted from the first, never wrapped
};

}  // namespace kelvane::phone
