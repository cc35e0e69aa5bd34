// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"
#include "DuplicateModel.h"

namespace kelvane::testing {
namespace {

class RemoveDuplicates : public CoreFixture {
  protected:
    void run(const std::string& bytes, const std::string& width = "12") {
        select("list.txt", bytes);
        removeWith(width);
    }
    void removeWith(const std::string& width) {
        controls.width = width;
        controls.log.clear();
        core.RemoveDuplicates();
    }
};

const std::string A = "447912345678\r\n", B = "447912345679\r\n";

TEST_F(RemoveDuplicates, KeepsTheFirstOccurrenceOfEachLineAndSumsUp) {
    struct Case {
        std::string bytes, width, kept, status;
    };
    const Case cases[] = {
        {A + B, "0", "", "2 duplicates removed, 0 lines kept"},
        {A + A, " 12 ", A, "1 duplicate removed, 1 line kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes + " width " + c.width);
        run(c.bytes, c.width);
        const std::string kept = std::to_string(std::count(c.kept.begin(), c.kept.end(), '\n'));
        EXPECT_EQ(controls.list, c.kept);
        EXPECT_EQ(controls.formCaption, kept);
        EXPECT_EQ(controls.status, c.status + " from " + core.mFilePath);
    }
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
        ASSERT_EQ(controls.list, listTextOf(model.kept)) << "round " << round;
        ASSERT_EQ(controls.summaryCaption,
                  "Duplicates Found   " + std::to_string(model.duplicates) +
                      "  Of Total:   " + (lines.empty() ? "" : std::to_string(lines.size())));
        ASSERT_EQ(controls.progressValue, model.kept.size());
        ASSERT_EQ(controls.progressMaximum, lines.size());
    }
}

TEST_F(RemoveDuplicates, AWidthThatIsNotAWholeNumberIsRefused) {
    const std::string notWhole = "\" is not a whole number of 0 or more";
    // Nothing selected is told first, an empty width before the file is read, others after.
    const std::tuple<std::string, bool, std::string, std::string> cases[] = {
        {"", false, kNoFileSelectedMessage,
         "No file is selected: click a file in the file list first"},
        {"", true, "Kelvane | OK | Insert The Length Of Each Line In File",
         "Type the length of each line, then press Remove Duplicates again"},
        {"ab", true, kNoFileSelectedMessage, "The length \"ab" + notWhole},
        {"-1", true, kNoFileSelectedMessage, "The length \"-1" + notWhole},
        {"1.5", true, kNoFileSelectedMessage, "The length \"1.5" + notWhole},
        {"99999999999", true, kNoFileSelectedMessage, "The length \"99999999999" + notWhole},
    };
    for (const auto& [width, selected, message, status] : cases) {
        SCOPED_TRACE(width);
        select("list.txt", A + B);
        if (!selected) core.forgetSelectedFile();
        controls.list = "old\r\n";
        removeWith(width);
        EXPECT_EQ(controls.messages(), Strings{message});
        EXPECT_EQ(controls.status, status);
        EXPECT_EQ(controls.width, selected && width.empty() ? "12" : width);
        EXPECT_EQ(controls.captions(), width.empty() ? Strings{} : Strings{"2"});  // lines read
        EXPECT_EQ(controls.list, "");
        EXPECT_EQ(controls.summaryCaption, "NON");
        EXPECT_TRUE(controls.progressVisible);
    }
}

TEST_F(RemoveDuplicates, ReadsTheWidthOnceAndIgnoresEditsDuringTheRun) {
    controls.onYield = [&] {
        if (!controls.captions().empty()) controls.width = "x";  // once the passes have begun
    };
    run(A + "4479123456781\r\n");
    EXPECT_TRUE(controls.messages().empty());
    EXPECT_EQ(controls.list, A);
}

}  // namespace
}  // namespace kelvane::testing
