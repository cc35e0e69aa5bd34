// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// One-line details for the status line: why an operation failed, or what it did.
namespace StatusText {

inline constexpr std::string_view kBusy = "Busy: wait until the running operation ends";
inline constexpr std::string_view kOpeningStopped = "Opening stopped";
inline constexpr std::string_view kRemovalStopped = "Duplicate removal stopped";
inline constexpr std::string_view kReadingStopped = "Reading stopped";
inline constexpr std::string_view kListKept = "Stopped: the list is as it was";
inline constexpr std::string_view kTypeWidth =
    "Type the length of each line, then press Remove Duplicates again";
inline constexpr std::string_view kListEmpty = "The number list is empty: open a file first";
inline constexpr std::string_view kTypeName = "Type a name to save the list under";
inline constexpr std::string_view kOutOfMemory = "Not enough memory";
inline constexpr std::string_view kUnexpectedFailure = "An unexpected error";

std::string notANumber(std::int64_t lineNumber, std::string_view line);
std::string cannotOpen(std::string_view path, std::string_view reason);
std::string noFileSelected();
std::string tooManyLines(std::string_view path);
std::string badWidth(std::string_view widthText);

std::string opened(std::int64_t numbers, std::string_view path);
std::string duplicatesRemoved(std::int64_t duplicates, std::int64_t kept, std::string_view path);
std::string numbersOpened(std::int64_t numbers, std::int64_t notRead, std::string_view path);
std::string duplicateNumbersRemoved(std::int64_t duplicates, std::int64_t kept);
std::string numbersStruck(std::int64_t struck, std::int64_t kept, std::string_view listPath);
std::string notMobileRemoved(std::int64_t removed, std::int64_t kept);
std::string linesRead(std::int64_t lines, std::string_view path);
std::string keptAsItWas(std::string_view fileName);
// `warning`: what the save could not make sure of, or empty.
std::string saved(std::string_view path, std::string_view warning);
// An empty path: the save failed before it knew its file.
std::string cannotSave(std::string_view path, std::string_view reason);

}  // namespace StatusText
}  // namespace kelvane
