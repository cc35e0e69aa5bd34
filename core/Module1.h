// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/LineSlots.h"

// Program-wide state shared by the list operations; it outlives every window.
namespace kelvane::Module1 {

// The current list: the k-th line listed by the latest load or duplicate removal is at slot k + 1.
inline LineSlots gNumbers;
// Duplicate removal's copy of the file's lines, line i at slot i.
inline LineSlots gSourceLines;
inline LineSlots gWorkLines;
// Run-wide count: 1 once the main window has loaded, plus every line read by a load and every
// line taken over by a duplicate removal. It indexes nothing, so it can never stop an operation.
inline std::int64_t gNextIndex = 0;

}  // namespace kelvane::Module1
