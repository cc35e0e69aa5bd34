// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

namespace kelvane::testing {
namespace {

using Check = CliTest;

// Each file's lines are counted from 1; a report's text is cut to 60 characters, a control byte
// showing as its value; the total counts the numbers of every file.
TEST_F(Check, ReportsEveryLineThatIsNotANumberAndTotalsEveryFile) {
    const std::string list = folder_.write("list.txt",
                                           "\xEF\xBB\xBF"
                                           "447912345678\r\n050-1234567\n\n +1.5E3 \n\x01" +
                                               std::string(70, '7') + "\r\n12,345\n-7");
    const std::string empty = folder_.write("empty.txt", "");
    const CliResult result = run({"check", list, "-", empty, list}, "y\n2");
    EXPECT_EQ(result.exitCode, 1);
    const std::string reports = list + ":2: not a number: 050-1234567\n" + list +
                                ":3: not a number: \n" + list + ":5: not a number: \\x01" +
                                std::string(59, '7') + "...\n";
    EXPECT_EQ(result.out, reports + "<stdin>:1: not a number: y\n" + reports);
    EXPECT_EQ(result.err, "Total Numbers In File  9\n");
    EXPECT_EQ(run({"check"}, "z").out, "<stdin>:1: not a number: z\n");
    const CliResult pass = run({"check", folder_.write("numbers.txt", "1\r\n2\n3")});
    EXPECT_EQ(pass.exitCode, 0);
    EXPECT_EQ(pass.out + pass.err, "Total Numbers In File  3\n");
}

}  // namespace
}  // namespace kelvane::testing
