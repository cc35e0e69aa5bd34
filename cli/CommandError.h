// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvane::cli {

// A failure that ends the command with exit status 2; what() is the one-line message for the user.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "cannot VERB NAME: REASON": a file or stream that could not be opened, read or written.
inline CommandError fileFailure(std::string_view verb, std::string_view name,
                                std::string_view reason) {
    return CommandError("cannot " + std::string(verb) + " " + std::string(name) + ": " +
                        std::string(reason));
}

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

}  // namespace kelvane::cli
