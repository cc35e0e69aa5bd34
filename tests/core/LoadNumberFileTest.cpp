// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

class LoadNumberFile : public CoreFixture {};

TEST_F(LoadNumberFile, ListsEveryNumberUnchangedAndShowsTheTotal) {
    const std::string path = select("list.txt", "447912345678\r\n0501234567\r\n 447912345679 \n");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.list, "447912345678\r\n0501234567\r\n 447912345679 \r\n");
    EXPECT_EQ(controls.captions(), Strings{"Total Numbers In File  3"});
    EXPECT_FALSE(controls.progressVisible);
    EXPECT_EQ(controls.progressValue, 3u);
    EXPECT_EQ(controls.progressMaximum, 3u);  // full at the end
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.status, "3 numbers opened from " + path);
    EXPECT_EQ(controls.yields, 0);  // "Open" never yields

    // A double-click names the file itself, and a live load counts in the caption.
    core.forgetSelectedFile();
    controls.log.clear();
    core.LoadNumberFile(LoadMode::Live);
    EXPECT_EQ(core.mSelectedFile, path);
    EXPECT_EQ(controls.captions(), (Strings{"1", "2", "3", "Total Numbers In File  3"}));
    EXPECT_EQ(controls.yields, 3);
}

TEST_F(LoadNumberFile, TheCurrentListSitsFromSlot2AndTheRunWideCountOnlyGrows) {
    Module1::gNextIndex = 40000;  // far past what a 16-bit count could hold
    select("ten.txt", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n");
    core.LoadNumberFile(LoadMode::Plain);
    select("two.txt", "7\n8\n");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(Module1::gNextIndex, 40012);  // every line read
    EXPECT_EQ(Module1::gNumbers.get(2), "7");
    EXPECT_EQ(Module1::gNumbers.get(3), "8");
    EXPECT_FALSE(Module1::gNumbers.holdsLine(4));  // nothing is left of the longer list

    select("three.txt", "5\n5\n6\n");
    core.RemoveDuplicates();
    EXPECT_EQ(Module1::gNextIndex, 40014);  // every line taken over
    EXPECT_EQ(Module1::gNumbers.get(2), "5");
    EXPECT_EQ(Module1::gNumbers.get(3), "6");
    EXPECT_FALSE(Module1::gNumbers.holdsLine(4));
}

TEST_F(LoadNumberFile, ALineThatIsNotANumberStopsTheLoadAndKeepsTheLinesBefore) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"1\r\n2\r\nabc\r\n4\r\n", "1\r\n2\r\n", "Line 3 is not a number: \"abc\""},
        {"1\n2\n\n", "1\r\n2\r\n", "Line 3 is not a number: \"\""},
        {"050-1234567\n", "", "Line 1 is not a number: \"050-1234567\""},
        // The last code point, then a byte that starts none.
        {"\xF4\x8F\xBF\xBF\xF5\x80\x80\x80", "",
         "Line 1 is not a number: \"\xF4\x8F\xBF\xBF\\xF5\\x80\\x80\\x80\""},
    };
    for (const auto& [bytes, listed, status] : cases) {
        for (const LoadMode mode : {LoadMode::Plain, LoadMode::Live}) {
            SCOPED_TRACE(bytes);
            controls.log.clear();
            controls.formCaption = kUntouched;
            select("list.txt", bytes);
            core.LoadNumberFile(mode);

            EXPECT_EQ(controls.list, listed);
            EXPECT_EQ(controls.messages(), Strings{kLoadErrorMessage});
            EXPECT_EQ(controls.status, status);
            EXPECT_TRUE(controls.progressVisible);
            // The failing line was counted as read; a live load counted the lines before it.
            const std::size_t n = std::count(listed.begin(), listed.end(), '\n');
            EXPECT_EQ(controls.progressValue, n + 1);
            EXPECT_EQ(controls.formCaption,
                      mode == LoadMode::Live && n ? std::to_string(n) : kUntouched);
            // The list is complete before the message box appears.
            EXPECT_EQ(controls.log.back(), "message: " + kLoadErrorMessage);
        }
    }
}

}  // namespace
}  // namespace kelvane::testing
