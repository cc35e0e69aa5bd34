// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "CliRun.h"

namespace kelvane::cli::testing {
namespace {

using ErrorExit = CliTest;

// Exit 2, nothing on standard output, and one line on standard error that names the problem.
void expectError(const CliResult& result, const std::string& words) {
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("kelvane-cli: ")) << result.err;
    EXPECT_NE(result.err.find(words), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(ErrorExit, BadOptionsAndArguments) {
    const std::string list = write("list.txt", "1\n");
    expectError(run({"dedupe", "--frobnicate", list}), "frobnicate");
    expectError(run({"dedupe", "-w", "-1", list}), "not a whole number");
    expectError(run({"dedupe", "-w", "1.5", list}), "not a whole number");
    expectError(run({"dedupe", "-w", "99999999999", list}), "not a whole number");
    expectError(run({"dedupe", list, list}), "not expected");
    expectError(run({"sort", list}), "unknown command sort");
    expectError(run({}), "subcommand");
}

TEST_F(ErrorExit, MissingOrUnreadableFilesAndFoldersAreRefusedBeforeAnyWork) {
    const std::string list = write("list.txt", "x\n");
    expectError(run({"check", list, "missing.txt"}), "cannot open missing.txt: No such file");
    expectError(run({"dedupe", "missing.txt"}), "cannot open missing.txt: No such file");
    expectError(run({"check", folder_.string()}), "Is a directory");
    expectError(run({"dedupe", "-o", folder_.string(), list}), "Is a directory");
    expectError(run({"dedupe", "-o", "no/such/folder.txt", list}),
                "cannot write no/such/folder.txt");
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        ::chmod(list.c_str(), 0);
        expectError(run({"dedupe", list}), "Permission denied");
    }
}

TEST_F(ErrorExit, PhoneCommandsNeedAKnownRegionFromTheOptionOrTheLocale) {
    const std::string list = write("list.txt", "050-1234567\n");
    expectError(run({"normalize", "--region", "XY", list}), "unknown region XY");
    expectError(run({"dedupe", "--phone", "zz", list}), "unknown region zz");
    expectError(run({"dedupe", "--phone", "IL", "-w", "3", list}), "excludes");
    expectError(run({"normalize", "--format", "e.164", "--region", "IL", list}), "e.164");
    expectError(run({"normalize", "--region", "IL", "missing.txt"}), "cannot open missing.txt");
    expectError(run({"dedupe", "--except", "missing.txt", list}), "cannot open missing.txt");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", "C.UTF-8", 1);
    expectError(run({"normalize", list}), "give --region");
    ::setenv("LANG", "he_IL.UTF-8", 1);
    EXPECT_EQ(run({"normalize", list}).out, "+972501234567\r\n");
}

TEST_F(ErrorExit, AWriteThatFailsPartWayLeavesTheOldOutputAndNoTemporaryFile) {
    std::string big;
    for (int i = 0; i < 300000; ++i) big += std::to_string(447000000000LL + i) + "\n";
    const std::string list = write("list.txt", big);
    const std::string out = write("out.txt", "old\r\n");
    expectError(run({"dedupe", "-o", out, list}, {}, 1 << 20), "cannot write " + out);
    EXPECT_EQ(read(out), "old\r\n");
    EXPECT_EQ(listFolder(), (std::vector<std::string>{"list.txt", "out.txt"}));

    // Standard output, a file here too, cannot be taken back, but the failure must be told.
    const CliResult result = run({"dedupe", list}, {}, 1 << 20);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.find("kelvane-cli: cannot write standard output"), 0u) << result.err;
}

}  // namespace
}  // namespace kelvane::cli::testing
