// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>

namespace kelvane {

// The most lines an operation of the window takes from one file.
inline constexpr std::int64_t kMaxListLines = 1'000'000;

// An operation's failure; what() is the status line's detail. The operation shows its own
// message box for it.
struct OperationFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Thrown out of a yield when the window asked the running operation to stop.
struct OperationCancelled {};

}  // namespace kelvane
