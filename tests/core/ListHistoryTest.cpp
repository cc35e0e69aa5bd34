// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/ListHistory.h"

namespace kelvane {
namespace {

std::string text(const ListHistory::Step& step) {
    return *step.text + "|" + step.region;
}

TEST(ListHistory, UndoesAndRedoesStepsWithTheirRegionAndANewStepForgetsTheRedo) {
    ListHistory history;
    EXPECT_FALSE(history.record("", ""));  // nothing changed
    EXPECT_TRUE(history.record("1\r\n", ""));
    EXPECT_TRUE(history.record("+9721\r\n", "IL"));
    EXPECT_TRUE(history.record("+9721\r\n", "US"));  // the same text read under another region
    EXPECT_EQ(text(history.undo()), "+9721\r\n|IL");
    EXPECT_EQ(text(history.undo()), "1\r\n|");
    EXPECT_EQ(text(history.redo()), "+9721\r\n|IL");
    EXPECT_TRUE(history.record("2\r\n", ""));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.stepCount(), 4U);
    EXPECT_EQ(history.bytes(), 0U + 3 + 7 + 3);
    EXPECT_EQ(text(history.undo()), "+9721\r\n|IL");
}

TEST(ListHistory, DropsTheOldestStepsPastItsLimitButNeverTheCurrentOne) {
    ListHistory history("aaaa", "", 10);
    history.record("bbbb", "");
    history.record("cccc", "");  // 12 bytes: "aaaa" goes
    EXPECT_EQ(history.stepCount(), 2U);
    EXPECT_EQ(history.bytes(), 8U);
    EXPECT_EQ(text(history.undo()), "bbbb|");
    EXPECT_FALSE(history.canUndo());
    history.record(std::string(20, 'x'), "");  // alone above the limit, and kept
    EXPECT_EQ(history.stepCount(), 1U);
    EXPECT_EQ(history.bytes(), 20U);
    EXPECT_EQ(*history.current().text, std::string(20, 'x'));
}

}  // namespace
}  // namespace kelvane
