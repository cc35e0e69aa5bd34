// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

namespace kelvane::testing {
namespace {

using Check = CliTest;

TEST_F(Check, ReportsEveryLineThatIsNotANumberWithItsLineNumber) {
    const std::string longLine = "\x01" + std::string(70, '7');
    const std::string list = folder_.write("list.txt",
                                           "\xEF\xBB\xBF"
                                           "447912345678\r\n050-1234567\n\n +1.5E3 \n" +
                                               longLine + "\r\n12,345\n-7");
    const CliResult result = run({"check", list});
    EXPECT_EQ(result.exitCode, 1);
    // The text is cut to 60 characters, a control byte showing as its value.
    EXPECT_EQ(result.out, list + ":2: not a number: 050-1234567\n" + list + ":3: not a number: \n" +
                              list + ":5: not a number: \\x01" + std::string(59, '7') + "...\n");
    EXPECT_EQ(result.err, "Total Numbers In File  4\n");
}

TEST_F(Check, NamesEachFileAndStandardInputTotalsAllOfThemAndPassesWhenAllAreNumbers) {
    const std::string a = folder_.write("a.txt", "1\nx\n"), empty = folder_.write("empty.txt", "");
    const CliResult result = run({"check", a, "-", empty, a}, "y\n2\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, a + ":2: not a number: x\n<stdin>:1: not a number: y\n" + a +
                              ":2: not a number: x\n");
    EXPECT_EQ(result.err, "Total Numbers In File  3\n");
    EXPECT_EQ(run({"check"}, "z").out, "<stdin>:1: not a number: z\n");
    const CliResult pass = run({"check", folder_.write("list.txt", "1\r\n2\n3")});
    EXPECT_EQ(pass.exitCode, 0);
    EXPECT_EQ(pass.out + pass.err, "Total Numbers In File  3\n");
}

}  // namespace
}  // namespace kelvane::testing
