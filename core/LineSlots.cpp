// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineSlots.h"

#include <algorithm>

#include "base/HugePages.h"
#include "base/Lines.h"

namespace kelvane {

void LineSlots::startOver(std::shared_ptr<const std::string> buffer) {
    buffer_ = std::move(buffer);
    slots_.clear();
}

void LineSlots::reserve(std::size_t lastIndex) {
    slots_.reserve(std::min(lastIndex, kLastIndex) + 1);
    adviseHugePages(slots_.data(), slots_.capacity() * sizeof(std::uint64_t));
}

void LineSlots::checkIndex(std::size_t index) {
    if (index > kLastIndex) throw SlotIndexError("slot index out of range");
}

void LineSlots::set(std::size_t index, std::string_view line) {
    checkIndex(index);
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer_ ? buffer_->data() : nullptr);
    const auto offset =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(line.data()) - begin);
    if (!buffer_ || !line.data() || offset > buffer_->size() ||
        line.size() > buffer_->size() - offset)
        throw std::invalid_argument("a slot holds only a line of its table's buffer");
    if (offset + 1 >= (std::uint64_t{1} << kOffsetBits))
        throw std::length_error("file too large for a line slot");
    if (index >= slots_.size()) {
        // Grow geometrically so that filling slot after slot stays linear.
        const std::size_t doubled =
            std::min(kLastIndex + 1, std::max(index + 1, slots_.size() * 2));
        slots_.resize(index < slots_.capacity() ? index + 1 : doubled);
    }
    slots_[index] = (offset + 1) << kLengthBits | std::min<std::uint64_t>(line.size(), kLongLine);
}

std::string_view LineSlots::get(std::size_t index) const {
    checkIndex(index);
    const std::uint64_t slot = index < slots_.size() ? slots_[index] : 0;
    if (slot == 0) return {};
    std::size_t offset = static_cast<std::size_t>(slot >> kLengthBits) - 1;
    const std::uint64_t length = slot & kLongLine;
    if (length < kLongLine) return std::string_view(buffer_->data() + offset, length);
    std::string_view line;
    nextLine(*buffer_, offset, line);
    return line;
}

bool LineSlots::holdsLine(std::size_t index) const {
    checkIndex(index);
    return index < slots_.size() && slots_[index] != 0;
}

}  // namespace kelvane
