// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include "CliRun.h"

namespace kelvane::cli::testing {
namespace {

using Dedupe = CliTest;

TEST_F(Dedupe, KeepsFirstOccurrencesInOrderAndEndsEveryLineInCrLfWhateverTheBreaks) {
    struct Case {
        std::string input, output, summary;
    };
    const std::vector<Case> cases = {
        {"111111111111\r\n222222222222\r\n111111111111\r\n", "111111111111\r\n222222222222\r\n",
         "Duplicates Found   1  Of Total:   3\n"},
        {"2\n1\n2\n3\n", "2\r\n1\r\n3\r\n", "Duplicates Found   1  Of Total:   4\n"},
        {"1\r\n1\n2\r\n\r\n2", "1\r\n2\r\n", "Duplicates Found   3  Of Total:   5\n"},
        // Byte-order mark skipped; a lone CR belongs to its line; blanks and letters are kept.
        {"\xEF\xBB\xBF"
         "7\r\r\n7\n 7\nab",
         "7\r\r\n7\r\n 7\r\nab\r\n", "Duplicates Found   0  Of Total:   4\n"},
        {"", "", "Duplicates Found   0  Of Total:   0\n"},
    };
    for (const Case& c : cases) {
        const CliResult result = run({"dedupe", write("list.txt", c.input)});
        EXPECT_EQ(result.out, c.output) << c.input;
        EXPECT_EQ(result.err, c.summary) << c.input;
        EXPECT_EQ(result.exitCode, 0);
    }
}

TEST_F(Dedupe, WidthComparesTheStartOfEachLineWithTheLinesKept) {
    const std::string list = write("list.txt", "123\n1234\n12\n1299\n4444\n4444\n");
    for (const char* width : {"3", "+3", " 3 ", "03"})  // as the window's width box reads them
        EXPECT_EQ(run({"dedupe", "-w", width, list}).out, "123\r\n12\r\n1299\r\n4444\r\n");
    EXPECT_EQ(run({"dedupe", "--width=2", list}).out, "123\r\n1234\r\n12\r\n4444\r\n");
    const CliResult none = run({"dedupe", "-w", "0", list});
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "Duplicates Found   6  Of Total:   6\n");
}

TEST_F(Dedupe, ReadsStandardInputWithoutAFileOrForADash) {
    for (const auto& args : {std::vector<std::string>{"dedupe"}, {"dedupe", "-"}}) {
        const CliResult result = run(args, "5\n6\n5\n");
        EXPECT_EQ(result.out, "5\r\n6\r\n");
        EXPECT_EQ(result.err, "Duplicates Found   1  Of Total:   3\n");
    }
}

TEST_F(Dedupe, OutputReplacesAnExistingFileOrTheInputItselfAndKeepsItsMode) {
    const std::string list = write("list.txt", "9\n8\n9\n");
    const std::string out = write("out.txt", "old contents that are longer\n");
    ::chmod(out.c_str(), 0600);
    CliResult result = run({"dedupe", "-o", out, list});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Duplicates Found   1  Of Total:   3\n");
    EXPECT_EQ(read(out), "9\r\n8\r\n");
    struct stat info {};
    ::stat(out.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    result = run({"dedupe", list, "--output", list});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(read(list), "9\r\n8\r\n");
    EXPECT_EQ(listFolder(), (std::vector<std::string>{"list.txt", "out.txt"}));
}

}  // namespace
}  // namespace kelvane::cli::testing
