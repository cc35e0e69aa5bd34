// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusText.h"

#include "OperationFailure.h"

#include <cstdio>

namespace kelvane::StatusText {
namespace {

constexpr std::size_t kExcerptLength = 60;

bool isUtf8Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 character at the start of `text`, or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isUtf8Continuation(static_cast<unsigned char>(text[k]))) return 0;
    }
    return length;
}

}  // namespace

std::string excerpt(std::string_view text) {
    std::string shown;
    std::size_t i = 0;
    for (std::size_t characters = 0; i < text.size() && characters < kExcerptLength; ++characters) {
        const std::size_t length = utf8SequenceLength(text.substr(i));
        const auto byte = static_cast<unsigned char>(text[i]);
        if (length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7F)) {
            shown.append(text.substr(i, length));
            i += length;
            continue;
        }
        // Control bytes and bytes that are not UTF-8 are shown by their value.
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        shown += escaped;
        ++i;
    }
    if (i < text.size()) shown += "...";
    return shown;
}

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

std::string count(std::int64_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

std::string opened(std::int64_t numbers, std::string_view path) {
    return count(numbers, "number", "numbers") + " opened from " + std::string(path);
}

std::string duplicatesRemoved(std::int64_t duplicates, std::int64_t kept, std::string_view path) {
    return count(duplicates, "duplicate", "duplicates") + " removed, " +
           count(kept, "line", "lines") + " kept from " + std::string(path);
}

std::string numbersOpened(std::int64_t numbers, std::int64_t notRead, std::string_view path) {
    return count(numbers, "number", "numbers") + " opened from " + std::string(path) + ", " +
           count(notRead, "line", "lines") + " not read";
}

std::string duplicateNumbersRemoved(std::int64_t duplicates, std::int64_t kept) {
    return count(duplicates, "duplicate number", "duplicate numbers") + " removed, " +
           count(kept, "line", "lines") + " kept";
}

std::string numbersStruck(std::int64_t struck, std::int64_t kept, std::string_view listPath) {
    return count(struck, "line", "lines") + " struck as listed in " + std::string(listPath) + ", " +
           count(kept, "line", "lines") + " kept";
}

std::string notMobileRemoved(std::int64_t removed, std::int64_t kept) {
    return count(removed, "line", "lines") + " not mobile removed, " +
           count(kept, "line", "lines") + " kept";
}

std::string linesRead(std::int64_t lines, std::string_view path) {
    return count(lines, "line", "lines") + " read from " + std::string(path);
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
