// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <random>
#include <string>
#include <vector>

namespace kelvane::testing {

// The duplicate rule as the window's loop states it, kept slow and literal: compare the first
// `width` characters of each line with every kept entry as a whole (entries 0 and 1 are
// empty), and also the whole line with each kept entry; no match keeps the line.
struct DuplicateModel {
    std::vector<std::string> kept;
    long duplicates = 0;

    DuplicateModel(const std::vector<std::string>& lines, std::size_t width) {
        std::vector<std::string> entries = {"", ""};
        for (const std::string& line : lines) {
            const std::string prefix = line.substr(0, std::min(width, line.size()));
            bool matched = false;
            for (const std::string& entry : entries)
                matched = matched || entry == prefix || entry == line;
            if (matched) {
                ++duplicates;
            } else {
                entries.push_back(line);
                kept.push_back(line);
            }
        }
    }
};

// Random lines of one letter in either case and blanks, short enough for prefixes to collide often.
inline std::vector<std::string> randomLines(std::mt19937& random, std::size_t maxLines,
                                            std::size_t maxLength) {
    std::vector<std::string> lines(random() % (maxLines + 1));
    for (std::string& line : lines)
        for (std::size_t n = random() % (maxLength + 1); n > 0; --n) line += "aA "[random() % 3];
    return lines;
}

}  // namespace kelvane::testing
