// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

namespace kelvane::testing {
namespace {

// Each run may take two minutes of processor time, some ten times what the slowest takes, so a
// run whose time grows with the square of a line's length fails, and a slow machine does not.
class LongLine : public CliTest {
  protected:
    LongLine() { processorSeconds_ = 120; }
};

// A line of a megabyte of digits is too long for the library, unparsed; the lines around it are
// read as ever, by every command that reads numbers. The limit counts code points, not bytes.
TEST_F(LongLine, AMegabyteOfDigitsIsTooLongForEveryCommandAndHoldsUpNone) {
    const std::string digits(1 << 20, '5');
    const std::string input = "050-1234567\n" + digits + "\n052-7654321\n";
    const std::string report = "<stdin>:2: not a valid number: " + std::string(60, '5') +
                               "... (too long)\n2 numbers written, 1 ";
    const CliResult normalized = run({"normalize", "--region", "IL"}, input);
    EXPECT_EQ(normalized.out, "+972501234567\r\n+972527654321\r\n");
    EXPECT_EQ(normalized.err, report + "line not valid\n");
    const CliResult column =
        run({"normalize", "--region", "IL", "--column", "1", "--no-header"}, input);
    EXPECT_EQ(column.out, "+972501234567\n+972527654321\n");
    EXPECT_EQ(column.err, report + "row not valid\n");
    const CliResult deduplicated = run({"dedupe", "--phone", "IL"}, input + input);
    EXPECT_EQ(deduplicated.out, "050-1234567\r\n" + digits + "\r\n052-7654321\r\n");
    EXPECT_EQ(deduplicated.err, "Duplicates Found   3  Of Total:   6\n");
    folder_.write("registry", "0501234567\n" + digits + "6\n" + digits + "7\n");
    const CliResult struck = run({"dedupe", "--phone", "IL", "--except", "registry"}, input);
    EXPECT_EQ(struck.out, digits + "\r\n052-7654321\r\n");
    EXPECT_EQ(struck.err, "Duplicates Found   0  Of Total:   3  Excepted:   1\n");
    EXPECT_NE(
        run({"info", "--region", "IL"}, input).out.find("\n" + digits + "\tinvalid\t\t\t\t\n"),
        std::string::npos);
    EXPECT_EQ(run({"extract", "--region", "IL"}, input).out,
              "<stdin>:1: +972501234567\n<stdin>:3: +972527654321\n");

    std::string noBreakSpaces;
    for (int i = 0; i < 120; ++i) noBreakSpaces += "\u00A0";
    const CliResult limit = run({"normalize", "--region", "IL"},
                                "050-1234567" + std::string(239, ' ') + "\n050-1234567" +
                                    std::string(240, ' ') + "\n050-1234567" + noBreakSpaces + "\n");
    EXPECT_EQ(limit.out, "+972501234567\r\n+972501234567\r\n");
    EXPECT_TRUE(limit.err.starts_with("<stdin>:2: ")) << limit.err;
    EXPECT_TRUE(limit.err.ends_with(" (too long)\n2 numbers written, 1 line not valid\n"));
}

}  // namespace
}  // namespace kelvane::testing
