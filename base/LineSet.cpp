// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/LineSet.h"

#include <sys/mman.h>
#include <sys/random.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace kelvane {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kFirstSlotCount = 1024;

// Where a long line's slot keeps its hash tag and its entry number.
constexpr std::size_t kTagOffset = 3;
constexpr std::size_t kEntryOffset = 7;

// The slot index takes the top bits of the hash, the tag the bottom ones.
std::uint32_t tagOf(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash);
}

unsigned shiftFor(std::size_t slotCount) {
    return 64 - static_cast<unsigned>(std::countr_zero(slotCount));
}

}  // namespace

std::uint64_t processHashSeed() {
    static const std::uint64_t seed = [] {
        std::uint64_t value = 0;
        if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
            // Only a kernel without getrandom gets here; the clock is still unknown in advance.
            value = static_cast<std::uint64_t>(
                std::chrono::steady_clock::now().time_since_epoch().count());
        }
        return value;
    }();
    return seed;
}

LineSet::Table::Table(std::size_t slotCount) : count_(slotCount) {
    const std::size_t bytes = slotCount * sizeof(Slot);
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    // A large table is reached at random: huge pages spare most address-translation misses.
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    slots_ = static_cast<Slot*>(memory);
}

LineSet::Table::~Table() {
    if (slots_) ::munmap(slots_, count_ * sizeof(Slot));
}

LineSet::Table::Table(Table&& other) noexcept
    : slots_(std::exchange(other.slots_, nullptr)), count_(std::exchange(other.count_, 0)) {}

LineSet::Table& LineSet::Table::operator=(Table&& other) noexcept {
    std::swap(slots_, other.slots_);
    std::swap(count_, other.count_);
    return *this;
}

LineSet::LineSet(Storage storage)
    : storage_(storage), slots_(kFirstSlotCount), shift_(shiftFor(kFirstSlotCount)) {}

LineSet::Slot LineSet::slotFor(std::string_view line, std::uint64_t hash) const {
    Slot slot{};
    if (line.size() <= kShortLine) {
        slot.state = static_cast<std::uint8_t>(line.size() + 1);
        if (!line.empty()) std::memcpy(slot.bytes, line.data(), line.size());
    } else {
        slot.state = kLongLine;
        const std::uint32_t tag = tagOf(hash);
        std::memcpy(slot.bytes + kTagOffset, &tag, sizeof tag);
    }
    return slot;
}

std::size_t LineSet::find(std::string_view line, std::uint64_t hash, const Slot& wanted) const {
    const Slot* slots = slots_.data();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.state == 0) return i;
        if (wanted.state != kLongLine) {
            if (std::memcmp(&slot, &wanted, sizeof(Slot)) == 0) return i;
        } else if (slot.state == kLongLine &&
                   std::memcmp(slot.bytes + kTagOffset, wanted.bytes + kTagOffset, 4) == 0) {
            std::uint32_t entry = 0;
            std::memcpy(&entry, slot.bytes + kEntryOffset, sizeof entry);
            if (longLines_[entry] == line) return i;
        }
    }
}

bool LineSet::contains(std::string_view line) const {
    const std::uint64_t hash = hashLine(line, seed_);
    return slots_.data()[find(line, hash, slotFor(line, hash))].state != 0;
}

bool LineSet::insert(std::string_view line) {
    const std::uint64_t hash = hashLine(line, seed_);
    Slot slot = slotFor(line, hash);
    Slot& free = slots_.data()[find(line, hash, slot)];
    if (free.state != 0) return false;
    if (slot.state == kLongLine) {
        if (longLines_.size() >= UINT32_MAX)
            throw std::length_error("too many distinct long lines");
        const auto entry = static_cast<std::uint32_t>(longLines_.size());
        std::memcpy(slot.bytes + kEntryOffset, &entry, sizeof entry);
        longLines_.push_back(storage_ == Storage::Copied ? keep(line) : line);
    }
    free = slot;
    // Keep the table at most half full: probes stay short.
    if (++size_ * 2 > slots_.size()) rehash(slots_.size() * 2);
    return true;
}

std::string_view LineSet::keep(std::string_view line) {
    if (line.size() > blockFree_) {
        blockFree_ = std::max(kBlockSize, line.size());
        blockNext_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(blockFree_)).get();
    }
    std::memcpy(blockNext_, line.data(), line.size());
    const std::string_view kept(blockNext_, line.size());
    blockNext_ += line.size();
    blockFree_ -= line.size();
    return kept;
}

void LineSet::reserve(std::size_t lines) {
    std::size_t slotCount = slots_.size();
    while (slotCount < lines * 2 + 2) slotCount *= 2;
    if (slotCount > slots_.size()) rehash(slotCount);
}

std::size_t LineSet::longestProbe() const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const Slot& slot = slots_.data()[i];
        if (slot.state == 0) continue;
        const std::size_t home = hashOf(slot) >> shift_;
        longest = std::max(longest, ((i - home) & mask) + 1);
    }
    return longest;
}

std::uint64_t LineSet::hashOf(const Slot& slot) const {
    if (slot.state != kLongLine)
        return hashLine(std::string_view(slot.bytes, slot.state - 1u), seed_);
    std::uint32_t entry = 0;
    std::memcpy(&entry, slot.bytes + kEntryOffset, sizeof entry);
    return hashLine(longLines_[entry], seed_);
}

void LineSet::place(const Slot& slot, std::uint64_t hash) {
    Slot* slots = slots_.data();
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash >> shift_;
    while (slots[i].state != 0) i = (i + 1) & mask;
    slots[i] = slot;
}

void LineSet::rehash(std::size_t slotCount) {
    const Table old = std::exchange(slots_, Table(slotCount));
    shift_ = shiftFor(slotCount);
    // Slots are indexed by the top bits of the hash, so walking the old table in order fills the
    // new one nearly in order too: the move reads and writes memory front to back.
    for (const Slot* slot = old.data(); slot != old.data() + old.size(); ++slot) {
        if (slot->state != 0) place(*slot, hashOf(*slot));
    }
}

}  // namespace kelvane
