// SPDX-License-Identifier: GPL-3.0-or-later
// Bad files and failing reads and writes, through the operations as the window runs them: each
// one answers with its own message and a reason on the status line, and a failed save changes
// no file.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "ChildProcess.h"
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

class Faults : public CoreFixture {
  protected:
    // Runs one operation on a window whose list, side box, captions and bar show older work,
    // and returns the messages it showed.
    Strings run(const std::function<void()>& operation) {
        controls.log.clear();
        controls.list = controls.sideText = controls.summaryCaption = "old\r\n";
        controls.formCaption = kUntouched;
        controls.progressVisible = false;
        controls.status.clear();
        operation();
        return controls.messages();
    }
    // After a failure: its reason, an empty list, the bar still up and the caption untouched.
    void expectFailure(const std::string& reason) {
        EXPECT_EQ(controls.status, reason);
        EXPECT_EQ(controls.list, "");
        EXPECT_TRUE(controls.progressVisible);
        EXPECT_EQ(controls.formCaption, kUntouched);
    }
};

TEST_F(Faults, AFileThatCannotBeOpenedGetsEachOperationsMessageAndTheSystemsReason) {
    fs::create_directory(folder.path() / "x.txt");
    const std::pair<std::string, std::string> cases[] = {
        {"", "No file is selected: click a file in the file list first"},
        {"missing.txt",
         "Cannot open " + folder.path().string() + "/missing.txt: No such file or directory"},
        {"x.txt", "Cannot open " + folder.path().string() + "/x.txt: Is a directory"},
    };
    for (const auto& [name, status] : cases) {
        SCOPED_TRACE(name);
        core.selectFile(name.empty() ? "" : (folder.path() / name).string());
        controls.selectedName = name;
        for (const LoadMode mode : {LoadMode::Plain, LoadMode::Live}) {
            if (mode == LoadMode::Live && name.empty()) continue;  // a double-click names a file
            EXPECT_EQ(run([&] { core.LoadNumberFile(mode); }), Strings{kLoadErrorMessage});
            expectFailure(status);  // the list was emptied before the file was opened
        }

        EXPECT_EQ(run([&] { core.RemoveDuplicates(); }), Strings{kNoFileSelectedMessage});
        expectFailure(status);
        EXPECT_EQ(controls.summaryCaption, "NON");

        EXPECT_EQ(run([&] { core.ReadPlainFile(); }),
                  Strings{"Kelvane | OK | an error has occurd"});
        EXPECT_EQ(controls.status, status);
        EXPECT_EQ(controls.sideText, "old\r\n");
    }
}

TEST_F(Faults, OddFilesAreReadAsBytesAndStopTheLoadAtTheirFirstLine) {
    std::string digits;  // one line of 20 MB, past what a slot's length field holds
    while (digits.size() < 20'000'000) digits += "447912345678";
    std::string nuls;
    for (int i = 0; i < 60; ++i) nuls += "\\x00";
    const std::string bom = "\xEF\xBB\xBF";
    const std::pair<std::string, std::string> cases[] = {
        // the bytes, and why the load stops
        {"", ""},
        {bom, ""},
        {bom + "447912345678\r\n", ""},
        {digits + "\r\n" + digits.substr(0, 12), ""},
        {digits + "x", "Line 1 is not a number: \"" + digits.substr(0, 60) + "...\""},
        {std::string(100, '\0'), "Line 1 is not a number: \"" + nuls + "...\""},
        {"\xFF\xFE\x31\0\x32\0\r\0\n\0\x33\0\x34\0\r\0\n\0"s,  // 16-bit text
         "Line 1 is not a number: \"\\xFF\\xFE1\\x002\\x00\\x0D\\x00\""},
        {"447912345678\r447912345679\r",
         "Line 1 is not a number: \"447912345678\\x0D447912345679\\x0D\""},
    };
    for (const auto& [bytes, loadStatus] : cases) {
        SCOPED_TRACE(bytes.substr(0, 30));
        const std::string path = select("odd.txt", bytes);
        const Strings lines = modelLines(bytes);  // each of them distinct
        const std::string text = listTextOf(lines);
        const std::string lineCount = lines.empty() ? "" : std::to_string(lines.size());

        EXPECT_EQ(run([&] { core.LoadNumberFile(LoadMode::Plain); }),
                  loadStatus.empty() ? Strings{} : Strings{kLoadErrorMessage});
        if (loadStatus.empty()) {
            EXPECT_TRUE(controls.list == text);  // not EXPECT_EQ: a failure would print 20 MB
            EXPECT_EQ(controls.formCaption,
                      "Total Numbers In File  " + std::to_string(lines.size()));
        } else {
            expectFailure(loadStatus);
        }

        EXPECT_EQ(run([&] { core.RemoveDuplicates(); }), Strings{});  // it checks no numbers
        EXPECT_TRUE(controls.list == text);
        // A slot holds a line whole, a 20 MB one too.
        EXPECT_TRUE(lines.empty() || core.mUniqueLines.get(2) == lines.front());
        EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   " + lineCount);
        EXPECT_EQ(controls.formCaption, lineCount);  // no count at all for a file without lines
        EXPECT_FALSE(controls.progressVisible);

        EXPECT_EQ(run([&] { core.ReadPlainFile(); }), Strings{});
        EXPECT_TRUE(controls.sideText == "old\r\n" + text);
        EXPECT_TRUE(controls.log.empty());       // neither the list nor a caption
        EXPECT_FALSE(controls.progressVisible);  // nor the bar
        EXPECT_EQ(controls.status, std::to_string(lines.size()) +
                                       (lines.size() == 1 ? " line" : " lines") + " read from " +
                                       path);
    }
}

TEST_F(Faults, AMillionLinesFitTheListAndOneMoreIsTooMany) {
    std::string bytes;
    for (int i = 0; i < 1'000'000; ++i) bytes += std::to_string(447900000000LL + i) + "\r\n";
    const std::string path = select("big.txt", bytes);

    EXPECT_EQ(run([&] { core.LoadNumberFile(LoadMode::Live); }), Strings{});
    EXPECT_TRUE(controls.list == bytes);  // not EXPECT_EQ: a failure would print 14 MB
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  1000000");
    EXPECT_EQ(run([&] { core.RemoveDuplicates(); }), Strings{});
    EXPECT_TRUE(controls.list == bytes);
    EXPECT_EQ(controls.formCaption, "1000000");
    EXPECT_EQ(controls.summaryCaption, "Duplicates Found   0  Of Total:   1000000");

    bytes += "447900000000\r\n";
    select("big.txt", bytes);
    const std::string tooMany = path + " has more than 1,000,000 lines";
    EXPECT_EQ(run([&] { core.LoadNumberFile(LoadMode::Plain); }), Strings{kLoadErrorMessage});
    EXPECT_EQ(controls.status, tooMany);
    EXPECT_EQ(controls.list.size(), 14u * 1'000'000);  // every line before the limit is listed
    EXPECT_EQ(controls.formCaption, kUntouched);

    EXPECT_EQ(run([&] { core.RemoveDuplicates(); }), Strings{kNoFileSelectedMessage});
    expectFailure(tooMany);
    EXPECT_EQ(controls.summaryCaption, "NON");
    EXPECT_EQ(controls.captions(), Strings{});  // the file was never read to its end
}

TEST_F(Faults, ANamedPipeWithoutAWriterDoesNotHangTheWindow) {
    const fs::path pipe = folder.path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    core.selectFile(pipe.string());
    ::alarm(60);  // should opening ever wait for a writer, end this test instead of the run
    EXPECT_EQ(run([&] { core.LoadNumberFile(LoadMode::Plain); }), Strings{});
    EXPECT_EQ(controls.formCaption, "Total Numbers In File  0");
    EXPECT_EQ(run([&] { core.RemoveDuplicates(); }), Strings{});
    EXPECT_EQ(run([&] { core.ReadPlainFile(); }), Strings{});
    ::alarm(0);
}

// Each save runs in a child process, set up as the case needs: what it logged, its status line
// and the selected file come back.
TEST_F(Faults, AFailedSaveSaysWhyAndChangesNoFile) {
    const fs::path here = folder.path();
    fs::permissions(here, fs::perms::all);  // the folder itself is open to everybody
    folder.write("plain", "not a folder\r\n");
    fs::create_directory(here / "dir.txt");
    folder.write("dir.txt/inside.txt", "kept\r\n");
    folder.write("ro.txt", "old\r\n");
    fs::permissions(here / "ro.txt", fs::perms::owner_read | fs::perms::others_read);
    fs::create_symlink("nowhere/numbers.txt", here / "dangling.txt");
    const auto before = snapshot(here);
    controls.list = "447912345678\r\n";
    core.selectFile("/somewhere/list.txt");

    const auto anyone = [] { return true; };
    struct Case {
        fs::path into;
        std::string name;
        std::function<bool()> prepare;
        std::string reason;
        bool asked = false;  // whether to replace a file of that name
    };
    const Case cases[] = {
        {here / "missing", "keep", anyone, "No such file or directory"},
        {here / "plain", "keep", anyone, "Not a directory"},
        {here, "dir", anyone, "Is a directory"},
        {here, "dir.txt/keep", anyone, "A file name cannot hold \"/\""},
        {here, std::string(255 - 3, 'n'), anyone, "File name too long"},
        {here, "ro", becomeOrdinaryUser, "Permission denied", true},
        {here, "dangling", anyone, "No such file or directory", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controls.folder = c.into.string();
        controls.saveName = c.name;
        const auto report = runInChild(c.prepare, [&] {
            core.SaveList();
            std::string logged;
            for (const std::string& entry : controls.log) logged += entry + "\n";
            return logged + controls.status + "\n" + core.mSelectedFile.value_or("none");
        });
        const std::string asked = "message: Note | OK Cancel | File Name Exits Over Write  \n";
        const std::string target = (c.into / (c.name + ".txt")).string();
        EXPECT_EQ(report, (c.asked ? asked : "") + "name = " + c.name +
                              ".txt\nmessage: Kelvane | OK | File Not Saved\n" + c.reason +
                              "\nCannot save " + target + ": " + c.reason +
                              "\n/somewhere/list.txt");
        EXPECT_TRUE(snapshot(here) == before);  // no temporary file, every old one as it was
    }

    // The longest name is saved: the length is what failed above.
    const std::string longest(255 - 4, 'n');
    controls.folder = here.string();
    controls.saveName = longest;
    core.SaveList();
    EXPECT_EQ(readFile(here / (longest + ".txt")), controls.list);
}

}  // namespace
}  // namespace kelvane::testing
