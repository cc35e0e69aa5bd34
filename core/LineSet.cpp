// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineSet.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kelvane {
namespace {

__extension__ typedef unsigned __int128 Product;

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t load(const char* p, std::size_t n) {
    std::uint64_t v = 0;
    if (n > 0) std::memcpy(&v, p, n);
    return v;
}

std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    const Product product = static_cast<Product>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

}  // namespace

std::uint64_t hashLine(std::string_view line) {
    const char* p = line.data();
    std::size_t n = line.size();
    std::uint64_t h = n * kMultiplier;
    while (n >= 16) {
        h = mix(load(p, 8) ^ h, load(p + 8, 8) ^ kMultiplier);
        p += 16;
        n -= 16;
    }
    const std::uint64_t a = n >= 8 ? load(p, 8) : load(p, n);
    const std::uint64_t b = n > 8 ? load(p + 8, n - 8) : 0;
    return mix(a ^ h ^ 0xA0761D6478BD642FULL, b ^ kMultiplier);
}

std::size_t LineSet::find(std::string_view line, std::uint64_t hash) const {
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
        const Slot& slot = slots_[i];
        if (slot.entry == 0) return i;
        if (slot.tag == tag && entries_[slot.entry - 1] == line) return i;
    }
}

bool LineSet::contains(std::string_view line) const {
    return slots_[find(line, hashLine(line))].entry != 0;
}

bool LineSet::insert(std::string_view line) {
    const std::uint64_t hash = hashLine(line);
    std::size_t i = find(line, hash);
    if (slots_[i].entry != 0) return false;
    if (entries_.size() >= UINT32_MAX - 1) throw std::length_error("too many distinct lines");
    entries_.push_back(storage_ == Storage::Copied ? keep(line) : line);
    slots_[i] = Slot{static_cast<std::uint32_t>(entries_.size()), static_cast<std::uint32_t>(hash >> 32)};
    // Keep the table at most half full: probes stay short.
    if (entries_.size() * 2 > slots_.size()) rehash(slots_.size() * 2);
    return true;
}

std::string_view LineSet::keep(std::string_view line) {
    if (line.size() > blockFree_) {
        blockFree_ = std::max(kBlockSize, line.size());
        blockNext_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(blockFree_)).get();
    }
    if (!line.empty()) std::memcpy(blockNext_, line.data(), line.size());
    const std::string_view kept(blockNext_, line.size());
    blockNext_ += line.size();
    blockFree_ -= line.size();
    return kept;
}

void LineSet::reserve(std::size_t lines) {
    entries_.reserve(lines);
    std::size_t slotCount = slots_.size();
    while (slotCount < lines * 2 + 2) slotCount *= 2;
    if (slotCount > slots_.size()) rehash(slotCount);
}

void LineSet::clear() {
    entries_.clear();
    blocks_.clear();
    blockFree_ = 0;
    rehash(1024);
}

void LineSet::rehash(std::size_t slotCount) {
    slots_.assign(slotCount, Slot{});
    mask_ = slotCount - 1;
    for (std::size_t e = 0; e < entries_.size(); ++e) {
        const std::uint64_t hash = hashLine(entries_[e]);
        slots_[find(entries_[e], hash)] =
            Slot{static_cast<std::uint32_t>(e + 1), static_cast<std::uint32_t>(hash >> 32)};
    }
}

}  // namespace kelvane
