// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "AllocationFaults.h"
#include "core/ListHistory.h"

namespace kelvane {
namespace {

std::string text(const ListHistory::Step& step) {
    return *step.text + "|" + step.context.region + "|" + step.context.caption;
}

TEST(ListHistory, AListLeftAsItWasTakesTheNewCaptionAndSummaryButMakesNoStep) {
    ListHistory history("1\r\n", {"", "1", "NON"});
    EXPECT_FALSE(history.record("1\r\n", {"", "2", "Duplicates Found   0  Of Total:   1"}));
    EXPECT_EQ(text(history.current()) + "|" + history.current().context.summary,
              "1\r\n||2|Duplicates Found   0  Of Total:   1");
    EXPECT_TRUE(history.record("1\r\n", {"IL", "3", ""}));  // read under a region: a step
    EXPECT_EQ(history.stepCount(), 2U);
}

TEST(ListHistory, PastItsLimitDropsTheOldestStepButNeverTheCurrent) {
    ListHistory history("aaaa", {}, 10);
    history.record("bbbbbb", {});  // 10 bytes, at the limit: kept
    EXPECT_EQ(history.stepCount(), 2U);
    history.undo();
    history.record("bbbb", {});
    history.record("cccc", {});  // 12 bytes: "aaaa" goes
    EXPECT_EQ(history.stepCount(), 2U);
    EXPECT_EQ(history.bytes(), 8U);
    EXPECT_EQ(text(history.before()), "bbbb||");
    history.undo();
    EXPECT_FALSE(history.canUndo());
    history.record(std::string(20, 'x'), {});  // alone above the limit, and kept
    EXPECT_EQ(history.stepCount(), 1U);
    EXPECT_EQ(history.bytes(), 20U);
    EXPECT_EQ(*history.current().text, std::string(20, 'x'));
}

TEST(ListHistory, ARecordThatRunsOutOfMemoryAnywhereLeavesTheHistoryAsItWas) {
    const std::string list(40, '7');  // too long to be kept inside a string
    const auto state = [](const ListHistory& h) {
        std::string shown = std::to_string(h.stepCount()) + " " + std::to_string(h.bytes());
        for (const ListHistory::Step* step : {&h.current(), h.canRedo() ? &h.after() : nullptr,
                                              h.canUndo() ? &h.before() : nullptr})
            shown += step ? " " + *step->text + "|" + step->context.caption : " -";
        return shown;
    };
    // A record that forgets a redo and, past the limit, drops the oldest step; and one that
    // makes the line of steps grow.
    for (const bool atTheEnd : {false, true}) {
        const auto history = [atTheEnd] {
            ListHistory made("a\r\n", {"", "1", "NON"}, atTheEnd ? 1000 : 50);
            for (const char* step : {"bb\r\n", "ccc\r\n", "dddd\r\n"}) made.record(step, {});
            if (!atTheEnd) made.undo();
            return made;
        };
        ListHistory changed = history();
        const std::string before = state(changed);
        changed.record(list, {"IL", "2", "z"});
        const std::string after = state(changed);
        const int failures = testing::failEachAllocationInTurn(
            [&] { changed = history(); },
            [&] {
                try {
                    changed.record(list, {"IL", "2", "z"});
                } catch (const std::bad_alloc&) {
                }
            },
            [&](bool failed) { EXPECT_EQ(state(changed), failed ? before : after); });
        EXPECT_GE(failures, 2);  // the copy of the list, then the record itself
    }
}

}  // namespace
}  // namespace kelvane
