// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

using Strings = std::vector<std::string>;

class LoadNumberFile : public CoreFixture {};

TEST_F(LoadNumberFile, ListsEveryNumberUnchangedAndShowsTheTotal) {
    const std::string path = select("list.txt", "447912345678\r\n0501234567\r\n 447912345679 \n");
    core.LoadNumberFile(LoadMode::Plain);

    EXPECT_EQ(controls.list, "447912345678\r\n0501234567\r\n 447912345679 \r\n");
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  3");
    EXPECT_EQ(controls.captions(), Strings{"Total Numbers In File  3"});
    EXPECT_FALSE(controls.progressVisible);
    EXPECT_EQ(controls.progressValue, 3u);
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.status, "3 numbers opened from " + path);
    EXPECT_EQ(core.mLoadedCount, 3);
    EXPECT_EQ(core.mFilePath, path);
    EXPECT_EQ(controls.yields, 0);  // "Open" never yields
    // The current list sits from slot 2 on; the run-wide count grew by the lines read.
    EXPECT_EQ(Module1::gNumbers.get(2), "447912345678");
    EXPECT_EQ(Module1::gNumbers.get(4), " 447912345679 ");
    EXPECT_FALSE(Module1::gNumbers.holdsLine(5));
    EXPECT_EQ(Module1::gNextIndex, 4);
}

TEST_F(LoadNumberFile, LiveModeSelectsTheEntryAndCountsInTheCaption) {
    select("list.txt", "1\r\n2\r\n3\r\n");
    core.forgetSelectedFile();  // the double-click names the file itself
    core.LoadNumberFile(LoadMode::Live);

    EXPECT_EQ(core.mSelectedFile, controls.folder + "/list.txt");
    EXPECT_EQ(controls.captions(), (Strings{"1", "2", "3", "Total Numbers In File  3"}));
    EXPECT_EQ(controls.yields, 3);
}

TEST_F(LoadNumberFile, AnEmptyFileGivesAnEmptyListAndATotalOfZero) {
    select("empty.txt", "");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  0");
    EXPECT_FALSE(controls.progressVisible);
}

TEST_F(LoadNumberFile, ALineThatIsNotANumberStopsTheLoadAndKeepsTheLinesBefore) {
    for (const LoadMode mode : {LoadMode::Plain, LoadMode::Live}) {
        controls.log.clear();
        select("list.txt", "1\r\n2\r\nabc\r\n4\r\n");
        core.LoadNumberFile(mode);

        EXPECT_EQ(controls.list, "1\r\n2\r\n");
        EXPECT_EQ(controls.messages(), Strings{kLoadErrorMessage});
        EXPECT_TRUE(controls.progressVisible);
        EXPECT_EQ(controls.progressValue, 3u);  // the failing line was counted as read
        EXPECT_EQ(controls.formCaption, mode == LoadMode::Plain ? "::: Halvorin:::" : "2");
        EXPECT_EQ(controls.status, "Line 3 is not a number: \"abc\"");
        // The list is complete before the message box appears.
        EXPECT_EQ(controls.log.back(), "message: " + kLoadErrorMessage);
        controls.formCaption = "::: Halvorin:::";
    }
}

TEST_F(LoadNumberFile, RejectsEmptyLinesDashesAndBlanksInsideANumber) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"1\r\n2\r\n\r\n", "Line 3 is not a number: \"\""},
        {"050-1234567\n", "Line 1 is not a number: \"050-1234567\""},
        {"050 1234567\n", "Line 1 is not a number: \"050 1234567\""},
        {"\xFF\xFE" "1\0\n\0"s, "Line 1 is not a number: \"\\xFF\\xFE1\\x00\""},  // 16-bit text
        {"1234567890123456789012345678901234567890123456789012345678901234567890x\n",
         "Line 1 is not a number: \"123456789012345678901234567890123456789012345678901234567890...\""},
    };
    for (const auto& [bytes, status] : cases) {
        select("list.txt", bytes);
        core.LoadNumberFile(LoadMode::Plain);
        EXPECT_EQ(controls.status, status);
        EXPECT_EQ(controls.formCaption, "::: Halvorin:::");
    }
    EXPECT_EQ(controls.messages().size(), std::size(cases));
}

TEST_F(LoadNumberFile, SkipsAUtf8ByteOrderMark) {
    select("list.txt", "\xEF\xBB\xBF" "447912345678\r\n");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.list, "447912345678\r\n");
}

TEST_F(LoadNumberFile, WithNothingSelectedEmptiesTheListShowsTheBarAndFails) {
    controls.list = "old\r\n";
    controls.progressVisible = false;
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.list, "");
    EXPECT_TRUE(controls.progressVisible);
    EXPECT_EQ(controls.messages(), Strings{kLoadErrorMessage});
    EXPECT_EQ(controls.status, "No file is selected: click a file in the file list first");

    core.selectFile(folder.path().string() + "/gone.txt");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.status, "Cannot open " + folder.path().string() + "/gone.txt: No such file or directory");
}

TEST_F(LoadNumberFile, SuccessiveLoadsReplaceTheListAndNeverRunOutOfCount) {
    Module1::gNextIndex = 40000;  // far past what a 16-bit count could hold
    select("ten.txt", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n");
    core.LoadNumberFile(LoadMode::Plain);
    select("two.txt", "7\n8\n");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.list, "7\r\n8\r\n");
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  2");
    EXPECT_EQ(Module1::gNextIndex, 40012);
    EXPECT_EQ(Module1::gNumbers.get(2), "7");
    EXPECT_FALSE(Module1::gNumbers.holdsLine(4));
}

TEST_F(LoadNumberFile, TakesAMillionLinesAndStopsAtTheNextOne) {
    std::string bytes;
    for (int i = 0; i < 1'000'000; ++i) bytes += "447900000000\r\n";
    select("million.txt", bytes);
    core.LoadNumberFile(LoadMode::Live);
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  1000000");
    EXPECT_EQ(Module1::gNumbers.get(1'000'001), "447900000000");
    EXPECT_TRUE(controls.messages().empty());

    select("more.txt", bytes + "447900000001\r\n");
    core.LoadNumberFile(LoadMode::Plain);
    EXPECT_EQ(controls.messages(), Strings{kLoadErrorMessage});
    EXPECT_EQ(controls.status, core.mFilePath + " has more than 1,000,000 lines");
    EXPECT_EQ(controls.list.size(), bytes.size());
}

TEST_F(LoadNumberFile, RefusesASecondOperationStartedFromAYield) {
    select("list.txt", "1\n2\n3\n");
    int refused = 0;
    controls.onYield = [&] {
        core.LoadNumberFile(LoadMode::Live);
        core.RemoveDuplicates();
        core.SaveList();
        core.ReadPlainFile();
        refused += controls.status.starts_with("Busy") ? 1 : 0;
    };
    core.LoadNumberFile(LoadMode::Live);
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(controls.list, "1\r\n2\r\n3\r\n");
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  3");
    EXPECT_TRUE(controls.messages().empty());
}

TEST_F(LoadNumberFile, StopsQuietlyWhenTheWindowCancels) {
    select("list.txt", "1\n2\n3\n");
    controls.onYield = [&] { core.requestCancel(); };
    core.LoadNumberFile(LoadMode::Live);
    EXPECT_EQ(controls.list, "1\r\n");
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_FALSE(core.busy());
    controls.onYield = nullptr;
    core.LoadNumberFile(LoadMode::Live);  // the next run is not cancelled
    EXPECT_EQ(controls.list, "1\r\n2\r\n3\r\n");
}

}  // namespace
}  // namespace kelvane::testing
