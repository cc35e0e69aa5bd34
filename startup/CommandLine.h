// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kelvane {

// What `kelvane` was asked on its command line: kelvane [--region CC] [FILE], --help, --version.
struct CommandLine {
    enum class Ask { Window, Help, Version, Refused };
    Ask ask = Ask::Window;
    std::string region;  // in capitals; empty for the locale's
    std::string file;
    std::string refusal;  // for Refused: one line saying what is wrong
};

// Reads the arguments after the program's name. A region is checked against the telephone-number
// library's here, before any window opens.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

}  // namespace kelvane
