// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"
#include "DuplicateModel.h"

namespace kelvane::testing {
namespace {

using Strings = std::vector<std::string>;

class RemoveDuplicates : public CoreFixture {
protected:
    void run(const std::string& bytes, const std::string& width = "12") {
        select("list.txt", bytes);
        controls.width = width;
        controls.log.clear();
        core.RemoveDuplicates();
    }
};

const std::string A = "447912345678";
const std::string B = "447912345679";
const std::string C = "050123456789";

TEST_F(RemoveDuplicates, KeepsTheFirstOccurrenceAndSumsUp) {
    run(A + "\r\n" + A + "\r\n" + B + "\r\n");
    EXPECT_EQ(controls.list, A + "\r\n" + B + "\r\n");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   1  Of Total:   3");
    EXPECT_EQ(controls.formCaption, "2");
    EXPECT_FALSE(controls.progressVisible);
    EXPECT_EQ(controls.progressValue, 2u);
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.status, "1 duplicate removed, 2 lines kept from " + core.mFilePath);
    EXPECT_EQ(Module1::gNumbers.get(2), A);
    EXPECT_EQ(Module1::gNumbers.get(3), B);
    EXPECT_EQ(core.mUniqueLines.get(3), B);
    EXPECT_EQ(Module1::gSourceLines.get(2), A);
    EXPECT_EQ(Module1::gNextIndex, 3);
}

TEST_F(RemoveDuplicates, CountsEmptyLinesAsDuplicates) {
    run(A + "\r\n\r\n" + B + "\n" + A);
    EXPECT_EQ(controls.list, A + "\r\n" + B + "\r\n");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   2  Of Total:   4");
}

TEST_F(RemoveDuplicates, ShowsTheCountOfLinesKeptWhenAllAreDistinct) {
    run(A + "\r\n" + B + "\r\n" + C + "\r\n");
    EXPECT_EQ(controls.list, A + "\r\n" + B + "\r\n" + C + "\r\n");
    EXPECT_EQ(controls.captions().front(), "3");  // the line count, once the file is read
    EXPECT_EQ(controls.formCaption, "3");
    EXPECT_EQ(controls.progressValue, 3u);
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   3");
}

TEST_F(RemoveDuplicates, AnEmptyFileLeavesAnEmptyCaptionAndNoTotal) {
    run("");
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(controls.formCaption, "");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   ");
    EXPECT_FALSE(controls.progressVisible);
}

TEST_F(RemoveDuplicates, ComparesTheFirstWidthCharactersWithWholeKeptLines) {
    run(A + "3\r\n" + A + "3\r\n");  // identical 13-character lines
    EXPECT_EQ(controls.list, A + "3\r\n");
    run(A + "\r\n" + A + "3\r\n");  // the second begins with the first
    EXPECT_EQ(controls.list, A + "\r\n");
    run(A + "3\r\n" + A + "\r\n");  // but not the other way round
    EXPECT_EQ(controls.list, A + "3\r\n" + A + "\r\n");
    run("abc\r\nABC\r\n abc\r\n");  // case and blanks count
    EXPECT_EQ(controls.list, "abc\r\nABC\r\n abc\r\n");
    run(A + "\r\n" + B + "\r\n", "0");
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   2  Of Total:   2");
    EXPECT_EQ(controls.formCaption, "0");
}

TEST_F(RemoveDuplicates, AgreesWithTheLiteralRuleThroughTheWholeOperation) {
    std::mt19937 random(612);
    for (int round = 0; round < 400; ++round) {
        const Strings lines = randomLines(random, 25, 6);
        const std::size_t width = random() % 15;
        std::string bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // A last line that is not empty may go without a break.
            const bool unterminated = i + 1 == lines.size() && !lines[i].empty() && random() % 2;
            bytes += lines[i] + (unterminated ? "" : random() % 2 ? "\r\n" : "\n");
        }
        run(bytes, std::to_string(width));

        const DuplicateModel model(lines, width);
        std::string expected;
        for (const std::string& line : model.kept) expected += line + "\r\n";
        ASSERT_EQ(controls.list, expected) << "round " << round;
        ASSERT_EQ(controls.summaryCaption, "Duplicates Found   " + std::to_string(model.duplicates) +
                                               "  Of Total:   " + (lines.empty() ? "" : std::to_string(lines.size())));
        ASSERT_EQ(controls.progressValue, model.kept.size());
    }
}

TEST_F(RemoveDuplicates, AnEmptyWidthIsRefusedAndSetTo12) {
    Module1::gSourceLines.startOver(nullptr);  // forget what earlier tests read
    run(A + "\r\n", "");
    EXPECT_EQ(controls.messages(), Strings{"Kelvane | OK | Insert The Length Of Each Line In File"});
    EXPECT_EQ(controls.width, "12");
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(controls.summaryCaption, "NON");
    EXPECT_TRUE(controls.progressVisible);
    EXPECT_FALSE(Module1::gSourceLines.holdsLine(1));  // the file was not read
}

TEST_F(RemoveDuplicates, WithNothingSelectedSaysSoBeforeLookingAtTheWidth) {
    controls.width = "";
    core.RemoveDuplicates();
    EXPECT_EQ(controls.messages(), Strings{kNoFileSelectedMessage});
    EXPECT_EQ(controls.width, "");
    EXPECT_EQ(controls.summaryCaption, "NON");
    EXPECT_TRUE(controls.progressVisible);
}

TEST_F(RemoveDuplicates, AWidthThatIsNotAWholeNumberFailsAfterReadingTheFile) {
    for (const char* width : {"ab", "-1", "1.5", "99999999999"}) {
        run(A + "\r\n" + B + "\r\n", width);
        EXPECT_EQ(controls.messages(), Strings{kNoFileSelectedMessage}) << width;
        EXPECT_EQ(controls.formCaption, "2");
        EXPECT_EQ(controls.list, "");
        EXPECT_EQ(controls.summaryCaption, "NON");
        EXPECT_EQ(controls.status, "The length \"" + std::string(width) + "\" is not a whole number of 0 or more");
    }
    for (const char* width : {" 12 ", "+12", "012"}) {
        run(A + "\r\n" + A + "\r\n", width);
        EXPECT_EQ(controls.list, A + "\r\n") << width;
    }
}

TEST_F(RemoveDuplicates, ReadsTheWidthOnceAndIgnoresEditsDuringTheRun) {
    controls.onYield = [&] {
        if (!controls.captions().empty()) controls.width = "x";  // once the passes have begun
    };
    run(A + "\r\n" + A + "1\r\n");
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.list, A + "\r\n");
}

TEST_F(RemoveDuplicates, FailsOnAFileOfMoreThanAMillionLinesBeforeTouchingTheCaption) {
    std::string bytes;
    bytes.reserve(1'000'001 * 3);
    for (int i = 0; i <= 1'000'000; ++i) bytes += "1\r\n";
    run(bytes);
    EXPECT_EQ(controls.messages(), Strings{kNoFileSelectedMessage});
    EXPECT_TRUE(controls.captions().empty());
    EXPECT_EQ(controls.status, core.mFilePath + " has more than 1,000,000 lines");

    bytes.resize(1'000'000 * 3);
    run(bytes);
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   999999  Of Total:   1000000");
}

TEST_F(RemoveDuplicates, AMillionDistinctLinesAllFit) {
    std::string bytes;
    for (long i = 0; i < 1'000'000; ++i) bytes += std::to_string(447900000000L + i) + "\r\n";
    run(bytes);
    EXPECT_EQ(controls.list, bytes);
    EXPECT_EQ(controls.formCaption, "1000000");
    EXPECT_EQ(core.mUniqueLines.get(1'000'001), "447900999999");
}

}  // namespace
}  // namespace kelvane::testing
