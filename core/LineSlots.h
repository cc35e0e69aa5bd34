// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/OperationFailure.h"

namespace kelvane {

// Thrown when an operation touches a slot outside a table's fixed range.
struct SlotIndexError : std::out_of_range {
    using std::out_of_range::out_of_range;
};

// A fixed-range table of line slots, each empty or holding one line as read.
// Every line a table holds is a line of one file's bytes, which the table keeps alive; a slot is
// where that line lies in them, 8 bytes, so a table of a million lines takes 8 MB and never copies
// a line. A slot stays valid until it is overwritten or the table starts over.
class LineSlots {
  public:
    // A full list sits at slots 2 to kMaxListLines + 1.
    static constexpr std::size_t kLastIndex = static_cast<std::size_t>(kMaxListLines) + 1;

    // Forgets every slot and the buffer behind them, and keeps `buffer` for the slots to come.
    void startOver(std::shared_ptr<const std::string> buffer);

    // Makes room for slots 0 to `lastIndex` (at most kLastIndex) when the caller knows how far it
    // will fill, so filling never moves the table.
    void reserve(std::size_t lastIndex);

    // `line` must be a line of the buffer given to startOver, as nextLine hands it out.
    void set(std::size_t index, std::string_view line);

    // An empty slot reads as the empty string.
    std::string_view get(std::size_t index) const;
    bool holdsLine(std::size_t index) const;

  private:
    static void checkIndex(std::size_t index);

    // A slot is 0 when empty; otherwise the line's offset in the buffer plus one in the top
    // kOffsetBits bits and its length in the rest. A length that does not fit there is kLongLine,
    // and get() finds the line's end again: a line of 16 MiB or more costs its scan anyway.
    static constexpr unsigned kLengthBits = 24;
    static constexpr unsigned kOffsetBits = 64 - kLengthBits;
    static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << kLengthBits) - 1;

    std::shared_ptr<const std::string> buffer_;
    std::vector<std::uint64_t> slots_;
};

}  // namespace kelvane
