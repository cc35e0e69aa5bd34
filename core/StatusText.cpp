// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StatusText.h"

#include "base/Wording.h"
#include "core/OperationFailure.h"

#include <cstdio>

namespace kelvane::StatusText {

std::string notANumber(std::int64_t lineNumber, std::string_view line) {
    return "Line " + std::to_string(lineNumber) + " is not a number: \"" + excerpt(line) + "\"";
}

std::string cannotOpen(std::string_view path, std::string_view reason) {
    return "Cannot open " + std::string(path) + ": " + std::string(reason);
}

std::string noFileSelected() {
    return "No file is selected: click a file in the file list first";
}

std::string tooManyLines(std::string_view path) {
    const std::string digits = std::to_string(kMaxListLines);
    std::string limit;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) limit += ',';
        limit += digits[i];
    }
    return std::string(path) + " has more than " + limit + " lines";
}

std::string badWidth(std::string_view widthText) {
    return "The length \"" + excerpt(widthText) + "\" is not a whole number of 0 or more";
}

std::string opened(std::int64_t numbers, std::string_view path) {
    return countText(numbers, "number", "numbers") + " opened from " + std::string(path);
}

std::string duplicatesRemoved(std::int64_t duplicates, std::int64_t kept, std::string_view path) {
    return countText(duplicates, "duplicate", "duplicates") + " removed, " +
           countText(kept, "line", "lines") + " kept from " + std::string(path);
}

std::string numbersOpened(std::int64_t numbers, std::int64_t notRead, std::string_view path) {
    return countText(numbers, "number", "numbers") + " opened from " + std::string(path) + ", " +
           countText(notRead, "line", "lines") + " not read";
}

std::string duplicateNumbersRemoved(std::int64_t duplicates, std::int64_t kept) {
    return countText(duplicates, "duplicate number", "duplicate numbers") + " removed, " +
           countText(kept, "line", "lines") + " kept";
}

std::string numbersStruck(std::int64_t struck, std::int64_t kept, std::string_view listPath) {
    return countText(struck, "line", "lines") + " struck as listed in " + std::string(listPath) +
           ", " + countText(kept, "line", "lines") + " kept";
}

std::string notMobileRemoved(std::int64_t removed, std::int64_t kept) {
    return countText(removed, "line", "lines") + " not mobile removed, " +
           countText(kept, "line", "lines") + " kept";
}

std::string linesRead(std::int64_t lines, std::string_view path) {
    return countText(lines, "line", "lines") + " read from " + std::string(path);
}

std::string keptAsItWas(std::string_view fileName) {
    return "Not saved: " + std::string(fileName) + " is kept as it was";
}

std::string saved(std::string_view path, std::string_view warning) {
    std::string text = "Saved " + std::string(path);
    if (!warning.empty()) text.append(", but ").append(warning);
    return text;
}

std::string cannotSave(std::string_view path, std::string_view reason) {
    return "Cannot save " + (path.empty() ? std::string("the list") : std::string(path)) + ": " +
           std::string(reason);
}

}  // namespace kelvane::StatusText
