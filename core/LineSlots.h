// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Thrown when an operation touches a slot outside a table's fixed range.
struct SlotIndexError : std::out_of_range {
    using std::out_of_range::out_of_range;
};

// A fixed-range table of line slots, each empty or holding one line as read.
// Slots are views into the byte buffers the operations read their files into; the table keeps
// each buffer it was given alive, so a slot stays valid until it is overwritten or cleared.
class LineSlots {
  public:
    // Indices 0 to 1,000,001: a full list of 1,000,000 lines sits at slots 2 to 1,000,001.
    static constexpr std::size_t kLastIndex = 1'000'001;

    // Forgets every slot and the buffers behind them, and keeps `buffer` for the slots to come.
    void startOver(std::shared_ptr<const std::string> buffer);

    // Makes room for slots 0 to `lastIndex` (at most kLastIndex) when the caller knows how far it
    // will fill, so filling never moves the table.
    void reserve(std::size_t lastIndex);

    // `line` must point into the buffer given to startOver (or be a literal).
    void set(std::size_t index, std::string_view line);

    // An empty slot reads as the empty string.
    std::string_view get(std::size_t index) const;
    bool holdsLine(std::size_t index) const;

  private:
    static void checkIndex(std::size_t index);

    std::shared_ptr<const std::string> buffer_;
    // A slot that was never written holds a view with no data.
    std::vector<std::string_view> slots_;
};

}  // namespace kelvane
