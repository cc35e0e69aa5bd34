// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace kelvane::cli {

// A failure that ends the command with exit status 2; what() is the one-line message for the user.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

}  // namespace kelvane::cli
