// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PackedLineSet.h"

#include <algorithm>
#include <cstring>

namespace kelvane::phone {
namespace {

constexpr unsigned kBlockBits = 20;
constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;
constexpr std::size_t kLongestLength = 10;  // bytes of a length, 7 bits each

}  // namespace

PackedLineSet::PackedLineSet()
    : blocks_(std::make_unique<Blocks>()),
      lines_(0, Hash{blocks_.get(), processHashSeed()}, Equal{blocks_.get()}) {}

bool PackedLineSet::insert(std::string_view line) {
    bool inserted = false;
    lines_.lazy_emplace(line, [&](const auto& construct) {
        inserted = true;
        construct(blocks_->append(line));
    });
    return inserted;
}

std::uint64_t PackedLineSet::Blocks::append(std::string_view line) {
    const std::size_t size = kLongestLength + line.size();
    // A line longer than a block gets one of its own.
    if (blocks_.empty() || used_ + size > kBlockSize) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(std::max(size, kBlockSize)));
        used_ = 0;
    }
    const std::uint64_t place = ((blocks_.size() - 1) << kBlockBits) | used_;
    char* out = blocks_.back().get() + used_;
    for (std::size_t length = line.size();; length >>= 7) {
        *out++ = static_cast<char>((length & 0x7F) | (length >= 0x80 ? 0x80 : 0));
        if (length < 0x80) break;
    }
    if (!line.empty()) std::memcpy(out, line.data(), line.size());
    used_ = static_cast<std::size_t>(out + line.size() - blocks_.back().get());
    return place;
}

std::string_view PackedLineSet::Blocks::lineAt(std::uint64_t place) const {
    const char* in = blocks_[place >> kBlockBits].get() + (place & (kBlockSize - 1));
    std::size_t length = 0;
    for (unsigned shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80) break;
    }
    return {in, length};
}

}  // namespace kelvane::phone
