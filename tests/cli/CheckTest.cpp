// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

namespace kelvane::cli::testing {
namespace {

using Check = CliTest;

TEST_F(Check, ReportsEveryLineThatIsNotANumberWithItsLineNumber) {
    const std::string list = write("list.txt",
                                   "\xEF\xBB\xBF"
                                   "447912345678\r\n050-1234567\n\n +1.5E3 \nabc\r\n12,345\n-7");
    const CliResult result = run({"check", list});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, list + ":2: not a number: 050-1234567\n" + list + ":3: not a number: \n" +
                              list + ":5: not a number: abc\n");
    EXPECT_EQ(result.err, "Total Numbers In File  4\n");
}

TEST_F(Check, PassesWhenEveryLineIsANumberAndCountsAnUnterminatedLastLine) {
    const CliResult result = run({"check", write("list.txt", "1\r\n2\n3")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Total Numbers In File  3\n");
    EXPECT_EQ(run({"check", write("empty.txt", "")}).err, "Total Numbers In File  0\n");
}

TEST_F(Check, NamesEachFileAndStandardInputAndTotalsAllOfThem) {
    const std::string a = write("a.txt", "1\nx\n");
    const CliResult result = run({"check", a, "-", a}, "y\n2\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, a + ":2: not a number: x\n<stdin>:1: not a number: y\n" + a +
                              ":2: not a number: x\n");
    EXPECT_EQ(result.err, "Total Numbers In File  3\n");
    EXPECT_EQ(run({"check"}, "z").out, "<stdin>:1: not a number: z\n");
}

TEST_F(Check, CutsTheTextTo60CharactersAndShowsControlBytes) {
    const std::string longLine(70, 'x');
    const CliResult result = run({"check"}, longLine + "\n1\t2\x01\n");
    EXPECT_EQ(result.out, "<stdin>:1: not a number: " + std::string(60, 'x') +
                              "...\n<stdin>:2: not a number: 1\\x092\\x01\n");
}

}  // namespace
}  // namespace kelvane::cli::testing
