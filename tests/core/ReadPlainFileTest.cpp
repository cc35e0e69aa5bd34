// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

class ReadPlainFile : public CoreFixture {};

TEST_F(ReadPlainFile, AppendsEveryLineAsReadEachTime) {
    select("plain.txt", "a\n\r\n b c\r\n");
    core.ReadPlainFile();
    core.ReadPlainFile();
    EXPECT_EQ(controls.sideText, "a\r\n\r\n b c\r\na\r\n\r\n b c\r\n");
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.list, "");
    EXPECT_TRUE(controls.progressVisible);
    EXPECT_EQ(controls.progressValue, 0u);
}

TEST_F(ReadPlainFile, AnEmptyFileChangesNothing) {
    select("empty.txt", "\xEF\xBB\xBF");
    core.ReadPlainFile();
    EXPECT_EQ(controls.sideText, "");
    EXPECT_TRUE(controls.messages().empty());
}

TEST_F(ReadPlainFile, FailsWithItsMessageWhenNothingCanBeRead) {
    core.ReadPlainFile();
    core.selectFile(folder.path().string());
    core.ReadPlainFile();
    EXPECT_EQ(controls.messages(), (std::vector<std::string>{"Kelvane | OK | an error has occurd",
                                                              "Kelvane | OK | an error has occurd"}));
    EXPECT_EQ(controls.status, "Cannot open " + folder.path().string() + ": Is a directory");
    EXPECT_EQ(controls.sideText, "");
}

}  // namespace
}  // namespace kelvane::testing
