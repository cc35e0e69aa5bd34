// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the operator sees, exactly as the window has always shown them.
namespace kelvane::Messages {

inline constexpr std::string_view kStandardTitle = "Kelvane";

inline constexpr std::string_view kLoadError =
    "Error In Selected File May Be There Is Text With Numbers Please Check";
inline constexpr std::string_view kTotalCaption = "Total Numbers In File  ";

inline constexpr std::string_view kNoFileSelected = "No File Selected";
inline constexpr std::string_view kInsertWidth = "Insert The Length Of Each Line In File";
inline constexpr std::string_view kSummaryStart = "NON";
// A summary in `Label4`: what was counted, how many, of how many lines.
inline std::string countSummary(std::string_view counted, std::uint64_t count,
                                std::string_view totalText) {
    return std::string(counted) + "   " + std::to_string(count) +
           "  Of Total:   " + std::string(totalText);
}
// The summary after a duplicate removal; the total is text, since an empty file shows none.
inline std::string duplicateSummary(std::uint64_t duplicateCount, std::string_view totalText) {
    return countSummary("Duplicates Found", duplicateCount, totalText);
}
inline constexpr std::string_view kDefaultWidth = "12";

inline constexpr std::string_view kNoNumbersToSave = "No Numbers To Save";
inline constexpr std::string_view kNoFileNameToSave = "No File Name To Save";
inline constexpr std::string_view kOverwriteQuestion = "File Name Exits Over Write  ";
inline constexpr std::string_view kOverwriteTitle = "Note";
inline constexpr std::string_view kFileSaved = "File Saved";
inline constexpr std::string_view kFileNotSaved = "File Not Saved";

// The Numbers menu: the summaries' words, and the messages of a run that changed nothing.
inline constexpr std::string_view kNotRead = "Not Read";
inline constexpr std::string_view kStruck = "Struck";
inline constexpr std::string_view kNotMobile = "Not Mobile";
inline constexpr std::string_view kNumbersNotOpened = "Numbers Not Opened";
inline constexpr std::string_view kListNotChanged = "List Not Changed";

inline constexpr std::string_view kReadError = "an error has occurd";

}  // namespace kelvane::Messages
