// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvane {

// The most lines an operation of the window takes from one file.
inline constexpr std::int64_t kMaxListLines = 1'000'000;

// An operation's failure; what() is the status line's detail. The operation shows its own
// message box for it.
struct OperationFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One-line details for the status line.
namespace StatusText {

// `text` cut to 60 characters, with control characters made visible.
std::string excerpt(std::string_view text);

std::string notANumber(std::int64_t lineNumber, std::string_view line);
std::string cannotOpen(std::string_view path, std::string_view reason);
std::string noFileSelected();
std::string tooManyLines(std::string_view path);
std::string badWidth(std::string_view widthText);
std::string count(std::int64_t n, std::string_view singular, std::string_view plural);

}  // namespace StatusText
}  // namespace kelvane
