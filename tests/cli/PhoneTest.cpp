// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdlib>
#include <sstream>

#include "CliRun.h"

namespace kelvane::cli::testing {
namespace {

// The line numbers in the reports of lines that are not valid numbers.
std::string reportedLines(const std::string& err, const std::string& name) {
    std::istringstream lines(err);
    std::string line, numbers;
    while (std::getline(lines, line)) {
        if (!line.starts_with(name + ":")) continue;
        const std::string rest = line.substr(name.size() + 1);
        numbers += rest.substr(0, rest.find(':')) + "\n";
    }
    return numbers;
}

using Phone = CliTest;

// Python's phonenumbers, the same library and metadata, run as a literal model of each command
// over generated lists of numbers written every which way, with invalid lines among them.
TEST_F(Phone, CommandsAgreeWithPythonPhonenumbersOnMixedLists) {
    const std::string model = "/usr/bin/python3 " KELVANE_PHONE_MODEL " " + folder_.string();
    ASSERT_EQ(std::system(model.c_str()), 0);
    const auto expected = [this](const std::string& name) {
        return read((folder_ / name).string());
    };
    const std::string list = (folder_ / "list.txt").string();

    for (const std::string format : {"e164", "international", "national"}) {
        // Standard input once; the region in any case.
        const CliResult result =
            format == "e164" ? run({"normalize", "--region", "il"}, read(list))
                             : run({"normalize", "--format", format, "--region", "IL", list});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, expected("normalize-" + format)) << format;
        EXPECT_EQ(reportedLines(result.err, format == "e164" ? "<stdin>" : list), expected("bad"));
    }
    for (const auto& [name, option, value] :
         {std::array<std::string, 3>{"phone", "--phone", "IL"}, {"width", "-w", "9"}}) {
        const CliResult result = run({"dedupe", option, value, "--except", "except.txt", "--except",
                                      "except.txt", "--removed", "removed.txt", list});
        EXPECT_EQ(result.out, expected("dedupe-" + name + "-out")) << name;
        EXPECT_EQ(read((folder_ / "removed.txt").string()), expected("dedupe-" + name + "-removed"))
            << name;
        EXPECT_EQ(result.err, expected("dedupe-" + name + "-summary")) << name;
    }
}

}  // namespace
}  // namespace kelvane::cli::testing
