// SPDX-License-Identifier: GPL-3.0-or-later
// Bad files and failing writes, through the operations as the window runs them: each one answers
// with its own message and a reason on the status line, and a failed save changes no file.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "ChildProcess.h"
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

const std::string kReadErrorMessage = "Kelvane | OK | an error has occurd";

class Faults : public CoreFixture {
  protected:
    // Runs one operation on a window whose list, side box and captions show older work, and
    // returns the messages it showed.
    Strings run(const std::function<void()>& operation) {
        controls.log.clear();
        controls.list = "old\r\n";
        controls.sideText = "old\r\n";
        controls.formCaption = kUntouched;
        controls.summaryCaption = "old";
        controls.progressVisible = false;
        controls.status.clear();
        operation();
        return controls.messages();
    }
    Strings load(LoadMode mode = LoadMode::Plain) {
        return run([&] { core.LoadNumberFile(mode); });
    }
    Strings removeDuplicates() {
        return run([&] { core.RemoveDuplicates(); });
    }
    Strings readPlain() {
        return run([&] { core.ReadPlainFile(); });
    }
};

TEST_F(Faults, AFileThatCannotBeOpenedGetsEachOperationsMessageAndTheSystemsReason) {
    struct Case {
        std::string name;
        std::function<void(const fs::path&)> prepare;  // after the file was selected
        std::string reason;
    };
    const Case cases[] = {
        {"", [](const fs::path&) {}, ""},  // nothing selected yet
        {"missing.txt", [](const fs::path&) {}, "No such file or directory"},
        {"x.txt", [](const fs::path& path) { fs::create_directory(path); }, "Is a directory"},
        {"vanished.txt", [](const fs::path& path) { fs::remove(path); },
         "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder.path() / c.name;
        if (c.name == "vanished.txt") folder.write(c.name, "447912345678\r\n");
        core.selectFile(c.name.empty() ? "" : path.string());
        controls.selectedName = c.name;
        c.prepare(path);
        const std::string status = c.name.empty()
                                       ? "No file is selected: click a file in the file list first"
                                       : "Cannot open " + path.string() + ": " + c.reason;

        for (const LoadMode mode : {LoadMode::Plain, LoadMode::Live}) {
            if (mode == LoadMode::Live && c.name.empty()) continue;  // a double-click names one
            EXPECT_EQ(load(mode), Strings{kLoadErrorMessage});
            EXPECT_EQ(controls.status, status);
            EXPECT_EQ(controls.list, "");  // emptied before the file was opened
            EXPECT_TRUE(controls.progressVisible);
            EXPECT_EQ(controls.formCaption, kUntouched);
        }

        EXPECT_EQ(removeDuplicates(), Strings{kNoFileSelectedMessage});
        EXPECT_EQ(controls.status, status);
        EXPECT_EQ(controls.list, "");
        EXPECT_EQ(controls.summaryCaption, "NON");
        EXPECT_TRUE(controls.progressVisible);
        EXPECT_EQ(controls.formCaption, kUntouched);

        EXPECT_EQ(readPlain(), Strings{kReadErrorMessage});
        EXPECT_EQ(controls.status, status);
        EXPECT_EQ(controls.sideText, "old\r\n");
        EXPECT_FALSE(core.busy());
    }
}

TEST_F(Faults, OddFilesAreReadAsBytesAndStopTheLoadAtTheirFirstLine) {
    struct Case {
        std::string what;
        std::string bytes;
        Strings lines;           // as every operation reads them
        std::string loadStatus;  // empty when the load completes
    };
    const std::string nuls(4096, '\0');
    std::string nulExcerpt;
    for (int i = 0; i < 60; ++i) nulExcerpt += "\\x00";
    const Case cases[] = {
        {"empty file", "", {}, ""},
        {"byte-order mark alone", "\xEF\xBB\xBF", {}, ""},
        {"byte-order mark before a number",
         "\xEF\xBB\xBF"
         "447912345678\r\n",
         {"447912345678"},
         ""},
        {"NUL bytes", nuls, {nuls}, "Line 1 is not a number: \"" + nulExcerpt + "...\""},
        {"16-bit text with its byte-order mark",
         "\xFF\xFE"
         "1\0"
         "2\0\r\0\n\0"
         "3\0"
         "4\0\r\0\n\0"s,
         {"\xFF\xFE"
          "1\0"
          "2\0\r\0"s,
          "\0"
          "3\0"
          "4\0\r\0"s,
          "\0"s},
         "Line 1 is not a number: \"\\xFF\\xFE1\\x002\\x00\\x0D\\x00\""},
        {"lone CR breaks",
         "447912345678\r447912345679\r",
         {"447912345678\r447912345679\r"},
         "Line 1 is not a number: \"447912345678\\x0D447912345679\\x0D\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = select("odd.txt", c.bytes);
        const std::string lineCount = c.lines.empty() ? "" : std::to_string(c.lines.size());

        if (c.loadStatus.empty()) {
            EXPECT_EQ(load(), Strings{});
            EXPECT_EQ(controls.list, listTextOf(c.lines));
            EXPECT_EQ(controls.formCaption,
                      "Total Numbers In File  " + std::to_string(c.lines.size()));
        } else {
            EXPECT_EQ(load(), Strings{kLoadErrorMessage});
            EXPECT_EQ(controls.status, c.loadStatus);
            EXPECT_EQ(controls.list, "");
            EXPECT_EQ(controls.formCaption, kUntouched);
        }

        // Duplicate removal checks no numbers: every line here is distinct and kept as it is.
        EXPECT_EQ(removeDuplicates(), Strings{});
        EXPECT_EQ(controls.list, listTextOf(c.lines));
        EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   " + lineCount);
        EXPECT_EQ(controls.formCaption, lineCount);  // no count at all for a file without lines
        EXPECT_FALSE(controls.progressVisible);

        EXPECT_EQ(readPlain(), Strings{});
        EXPECT_EQ(controls.sideText, "old\r\n" + listTextOf(c.lines));
        const std::size_t n = c.lines.size();
        EXPECT_EQ(controls.status,
                  std::to_string(n) + (n == 1 ? " line" : " lines") + " read from " + path);
    }
}

TEST_F(Faults, ATwentyMegabyteLineWithoutABreakIsOneLine) {
    std::string digits;
    while (digits.size() < 20'000'000) digits += "447912345678";
    select("long.txt", digits);

    EXPECT_EQ(load(), Strings{});
    EXPECT_TRUE(controls.list == digits + "\r\n");  // not EXPECT_EQ: a failure would print 20 MB
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  1");

    EXPECT_EQ(removeDuplicates(), Strings{});
    EXPECT_TRUE(controls.list == digits + "\r\n");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   1");

    EXPECT_EQ(readPlain(), Strings{});
    EXPECT_TRUE(controls.sideText == "old\r\n" + digits + "\r\n");

    // With one letter at its end it is not a number, and the status line shows only its start.
    select("long.txt", digits + "x");
    EXPECT_EQ(load(), Strings{kLoadErrorMessage});
    EXPECT_EQ(controls.status, "Line 1 is not a number: \"" + digits.substr(0, 60) + "...\"");
    EXPECT_EQ(controls.list, "");
}

TEST_F(Faults, AMillionLinesFitTheListAndOneMoreIsTooManyForItButNotForTheReader) {
    std::string bytes;
    bytes.reserve(14 * 1'000'001);
    for (int i = 0; i < 1'000'000; ++i) bytes += std::to_string(447900000000LL + i) + "\r\n";
    const std::string path = select("big.txt", bytes);

    EXPECT_EQ(load(LoadMode::Live), Strings{});
    EXPECT_TRUE(controls.list == bytes);  // not EXPECT_EQ: a failure would print 14 MB
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  1000000");
    EXPECT_EQ(removeDuplicates(), Strings{});
    EXPECT_TRUE(controls.list == bytes);
    EXPECT_EQ(controls.formCaption, "1000000");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   1000000");

    bytes += "447900000000\r\n";
    select("big.txt", bytes);
    const std::string tooMany = path + " has more than 1,000,000 lines";
    EXPECT_EQ(load(), Strings{kLoadErrorMessage});
    EXPECT_EQ(controls.status, tooMany);
    EXPECT_EQ(controls.list.size(), 14u * 1'000'000);  // every line before the limit is listed
    EXPECT_EQ(controls.formCaption, kUntouched);

    EXPECT_EQ(removeDuplicates(), Strings{kNoFileSelectedMessage});
    EXPECT_EQ(controls.status, tooMany);
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(controls.summaryCaption, "NON");
    EXPECT_EQ(controls.captions(), Strings{});  // the file was never read to its end

    EXPECT_EQ(readPlain(), Strings{});
    EXPECT_EQ(controls.status, "1000001 lines read from " + path);
    EXPECT_EQ(controls.sideText.size(), 5 + bytes.size());
}

TEST_F(Faults, ANamedPipeWithoutAWriterDoesNotHangTheWindow) {
    const fs::path pipe = folder.path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    core.selectFile(pipe.string());
    ::alarm(60);  // should opening ever wait for a writer, end this test instead of the run

    EXPECT_EQ(load(), Strings{});
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  0");
    EXPECT_EQ(removeDuplicates(), Strings{});
    EXPECT_EQ(readPlain(), Strings{});
    ::alarm(0);
}

class FailedSaves : public CoreFixture {
  protected:
    FailedSaves() {
        core.selectFile("/somewhere/list.txt");
        controls.list = "447912345678\r\n";
    }

    // Saves the list as `name` into `into`, and returns the messages shown.
    Strings save(const fs::path& into, const std::string& name) {
        controls.log.clear();
        controls.folder = into.string();
        controls.saveName = name;
        core.SaveList();
        return controls.messages();
    }

    // Saves as `name` into `into`, which must fail for `reason` and leave the steps before the
    // write done, none after.
    void expectFailedSave(const fs::path& into, const std::string& name,
                          const std::string& reason) {
        SCOPED_TRACE(name);
        EXPECT_EQ(save(into, name), Strings{"Kelvane | OK | File Not Saved\n" + reason});
        const std::string target = (into / (name + ".txt")).string();
        EXPECT_EQ(controls.status, "Cannot save " + target + ": " + reason);
        EXPECT_EQ(controls.saveName, name + ".txt");
        EXPECT_EQ(core.mSelectedFile, "/somewhere/list.txt");
        EXPECT_EQ(std::count(controls.log.begin(), controls.log.end(), "refresh files"), 0);
    }
};

TEST_F(FailedSaves, AFolderThatIsMissingOrNotAFolderOrANameThatIsAFolderChangesNothing) {
    const fs::path missing = folder.path() / "missing";
    const fs::path plainFile = folder.path() / "plain";
    folder.write("plain", "not a folder\r\n");
    fs::create_directory(folder.path() / "dir.txt");
    folder.write("dir.txt/inside.txt", "kept\r\n");
    folder.write("keep.txt", "kept\r\n");
    const auto before = snapshot(folder.path());

    expectFailedSave(missing, "keep", "No such file or directory");
    expectFailedSave(plainFile, "keep", "Not a directory");
    expectFailedSave(folder.path(), "dir", "Is a directory");
    expectFailedSave(folder.path(), "dir.txt/keep", "A file name cannot hold \"/\"");
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(FailedSaves, ANameAsLongAsTheFileSystemAllowsIsSaved) {
    const std::string longest(255 - 4, 'n');
    EXPECT_EQ(save(folder.path(), longest), Strings{"Kelvane | OK | File Saved"});
    EXPECT_EQ(readFile(folder.path() / (longest + ".txt")), controls.list);

    core.selectFile("/somewhere/list.txt");
    const auto before = snapshot(folder.path());
    expectFailedSave(folder.path(), longest + "n", "File name too long");
    EXPECT_EQ(snapshot(folder.path()), before);
}

// Saves in a child process set up by `prepare`, and returns the messages it showed followed by
// its status line.
Strings saveInChild(FakeControls& controls, Form1Core& core, const std::function<bool()>& prepare) {
    const std::optional<std::string> report = runInChild(prepare, [&] {
        core.SaveList();
        std::string shown;
        for (const std::string& message : controls.messages()) shown += message + '\0';
        return shown + controls.status;
    });
    if (!report) return {"the child failed"};
    Strings shown;
    for (std::size_t start = 0;;) {
        const std::size_t end = report->find('\0', start);
        shown.push_back(report->substr(start, end - start));
        if (end == std::string::npos) return shown;
        start = end + 1;
    }
}

TEST_F(FailedSaves, AReadOnlyFileOrALinkToNothingIsNotReplaced) {
    fs::permissions(folder.path(), fs::perms::all);  // the folder itself is open to everybody
    folder.write("ro.txt", "old\r\n");
    fs::permissions(folder.path() / "ro.txt",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_symlink("nowhere/numbers.txt", folder.path() / "dangling.txt");
    const auto before = snapshot(folder.path());
    controls.answers = {MessageAnswer::Ok};
    controls.folder = folder.path().string();
    controls.saveName = "ro";
    EXPECT_EQ(
        saveInChild(controls, core, becomeOrdinaryUser),
        (Strings{"Note | OK Cancel | File Name Exits Over Write  ",
                 "Kelvane | OK | File Not Saved\nPermission denied",
                 "Cannot save " + (folder.path() / "ro.txt").string() + ": Permission denied"}));
    controls.answers = {MessageAnswer::Ok};
    EXPECT_EQ(save(folder.path(), "dangling").back(),
              "Kelvane | OK | File Not Saved\nNo such file or directory");
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(FailedSaves, AWriteThatRunsOutOfSpaceKeepsTheOldFileWhole) {
    controls.folder = folder.path().string();
    folder.write("keep.txt", "447900000000\r\n447900000001\r\n");
    const auto before = snapshot(folder.path());
    std::string big;
    while (big.size() < (1 << 20)) big += "447912345678\r\n";
    controls.list = big;

    for (const std::string name : {"keep", "fresh"}) {
        SCOPED_TRACE(name);
        controls.saveName = name;
        const std::string target = (folder.path() / (name + ".txt")).string();
        EXPECT_EQ(saveInChild(controls, core, [] { return limitFileSize(64 * 1024); }).back(),
                  "Cannot save " + target + ": File too large");
        EXPECT_EQ(snapshot(folder.path()), before);  // no temporary file, the old one as it was
    }

    // Under the same limit a list that fits is saved: the limit is what failed above.
    controls.list = "447912345678\r\n";
    controls.saveName = "keep";
    EXPECT_EQ(saveInChild(controls, core, [] { return limitFileSize(64 * 1024); }).back(),
              "Saved " + (folder.path() / "keep.txt").string());
    EXPECT_EQ(readFile(folder.path() / "keep.txt"), "447912345678\r\n");
}

}  // namespace
}  // namespace kelvane::testing
