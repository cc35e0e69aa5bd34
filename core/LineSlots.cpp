// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineSlots.h"

#include <algorithm>

namespace kelvane {

void LineSlots::startOver(std::shared_ptr<const std::string> buffer) {
    buffer_ = std::move(buffer);
    slots_.clear();
}

void LineSlots::reserve(std::size_t lastIndex) {
    slots_.reserve(std::min(lastIndex, kLastIndex) + 1);
}

void LineSlots::checkIndex(std::size_t index) {
    if (index > kLastIndex) throw SlotIndexError("slot index out of range");
}

void LineSlots::set(std::size_t index, std::string_view line) {
    checkIndex(index);
    if (index >= slots_.size()) {
        // Grow geometrically so that filling slot after slot stays linear.
        const std::size_t doubled =
            std::min(kLastIndex + 1, std::max(index + 1, slots_.size() * 2));
        slots_.resize(index < slots_.capacity() ? index + 1 : doubled);
    }
    slots_[index] = line.data() ? line : std::string_view("");
}

std::string_view LineSlots::get(std::size_t index) const {
    checkIndex(index);
    return index < slots_.size() ? slots_[index] : std::string_view{};
}

bool LineSlots::holdsLine(std::size_t index) const {
    checkIndex(index);
    return index < slots_.size() && slots_[index].data() != nullptr;
}

}  // namespace kelvane
