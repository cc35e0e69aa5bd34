// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

class ReadPlainFile : public CoreFixture {};

TEST_F(ReadPlainFile, AppendsEveryLineAsReadEachTimeAndLeavesTheListAlone) {
    select("plain.txt", "a\n\r\n b c\r\n");
    core.ReadPlainFile();
    core.ReadPlainFile();
    EXPECT_EQ(controls.sideText, "a\r\n\r\n b c\r\na\r\n\r\n b c\r\n");
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_TRUE(controls.log.empty());  // neither the list nor its caption
    EXPECT_TRUE(controls.progressVisible);
    EXPECT_EQ(controls.progressValue, 0u);
}

}  // namespace
}  // namespace kelvane::testing
