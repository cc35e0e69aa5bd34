// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane::testing {

// A file's lines the long way round, byte by byte: a UTF-8 byte-order mark at the start is
// dropped, every LF ends a line and takes one CR before it along, and what follows the last LF
// is one more line unless it is empty.
inline std::vector<std::string> modelLines(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::vector<std::string> lines;
    std::string line;
    for (const char c : bytes) {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The lines as the list shows them: each one followed by CR LF.
inline std::string listTextOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace kelvane::testing
