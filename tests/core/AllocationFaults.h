// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kelvane::testing {

// Runs `run` once for each allocation it makes on the calling thread, with that allocation
// failing with std::bad_alloc, and once more with none failing. `setUp` runs before each run and
// `check(failed)` after it, told whether the failure happened; their own allocations never fail.
// Returns how many runs failed. The telephone-number engine's own allocations are let through:
// Debian's abseil sets a hash table's new capacity before it allocates the room for it, so that a
// failure there leaves the table freeing memory it never had.
int failEachAllocationInTurn(const std::function<void()>& setUp, const std::function<void()>& run,
                             const std::function<void(bool failed)>& check);

}  // namespace kelvane::testing
