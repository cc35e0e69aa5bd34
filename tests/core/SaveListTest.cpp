// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

class SaveList : public CoreFixture {
  protected:
    SaveList() { core.selectFile("/somewhere/list.txt"); }
    std::filesystem::path target(const std::string& name) const { return folder.path() / name; }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
};

TEST_F(SaveList, WritesTheListTextByteForByteThenClearsTheNameAndSelection) {
    const std::string list = "447912345678\r\n\xE9\xFF\x00 x\n\r\n12"s;
    controls.list = list;
    controls.saveName = "clean";
    core.SaveList();

    EXPECT_EQ(readFile(target("clean.txt")), list);
    const Strings expected = {"name = clean.txt", "message: Kelvane | OK | File Saved",
                              "refresh folders", "refresh files", "name = "};
    EXPECT_EQ(controls.log, expected);  // the name shows ".txt" while "File Saved" is up
    EXPECT_EQ(core.mSelectedFile, std::string());
    EXPECT_EQ(core.mFilePath, target("clean.txt").string());
    EXPECT_EQ(controls.status, "Saved " + target("clean.txt").string());
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SaveList, RefusesAnEmptyListBeforeAnEmptyName) {
    core.SaveList();
    controls.list = "\r\n";  // a lone line break is a list
    core.SaveList();
    EXPECT_EQ(controls.messages(), (Strings{"Kelvane | OK | No Numbers To Save",
                                            "Kelvane | OK | No File Name To Save"}));
    EXPECT_EQ(filesInFolder(), 0u);

    controls.saveName = "   ";  // blanks are a name
    core.SaveList();
    EXPECT_EQ(readFile(target("   .txt")), "\r\n");
}

TEST_F(SaveList, AsksBeforeReplacingAnyFileOfThatNameOnDiskAndWritesThroughLinks) {
    // Neither file is in the file list: one is hidden, one came after the list was drawn.
    folder.write(".abc.txt", "old\r\n");
    std::filesystem::create_directory(target("real"));
    folder.write("real/numbers.txt", "old\r\n");
    std::filesystem::create_symlink("real/numbers.txt", target("link.txt"));
    controls.list = "new\r\n";

    controls.saveName = ".abc";
    controls.answers = {MessageAnswer::Cancel};
    core.SaveList();
    EXPECT_EQ(controls.messages(), Strings{"Note | OK Cancel | File Name Exits Over Write  "});
    EXPECT_EQ(readFile(target(".abc.txt")), "old\r\n");
    EXPECT_EQ(controls.saveName, ".abc");
    EXPECT_EQ(core.mSelectedFile, "/somewhere/list.txt");

    for (const std::string name : {".abc", "link"}) {
        controls.log.clear();
        controls.saveName = name;
        controls.answers = {MessageAnswer::Ok};
        core.SaveList();
        EXPECT_EQ(controls.messages(), (Strings{"Note | OK Cancel | File Name Exits Over Write  ",
                                                "Kelvane | OK | File Saved"}));
    }
    EXPECT_EQ(readFile(target(".abc.txt")), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(target("link.txt")));
    EXPECT_EQ(readFile(target("real/numbers.txt")), "new\r\n");

    // Names compare exactly, and ".txt" is always added: neither ABC.txt nor abc.txt.txt exists.
    folder.write("abc.txt", "old\r\n");
    for (const std::string name : {"ABC", "abc.txt"}) {
        controls.log.clear();
        controls.saveName = name;
        core.SaveList();
        EXPECT_EQ(controls.messages(), Strings{"Kelvane | OK | File Saved"});
        EXPECT_EQ(readFile(target(name + ".txt")), "new\r\n");
    }
}

TEST_F(SaveList, AFailedSaveSaysWhyAndKeepsTheOldFileWhole) {
    controls.list = "new\r\n";
    std::filesystem::create_directory(target("dir.txt"));
    folder.write("keep.txt", "old\r\n");
    const auto attempt = [&](const std::string& name) {
        controls.log.clear();
        controls.saveName = name;
        core.SaveList();
        return controls.messages();
    };

    EXPECT_EQ(attempt("dir"), Strings{"Kelvane | OK | File Not Saved\nIs a directory"});
    EXPECT_EQ(controls.saveName, "dir.txt");  // the steps before the write have happened
    EXPECT_EQ(core.mSelectedFile, "/somewhere/list.txt");
    EXPECT_EQ(std::count(controls.log.begin(), controls.log.end(), "refresh files"), 0);

    EXPECT_EQ(attempt("sub/keep"),
              Strings{"Kelvane | OK | File Not Saved\nA file name cannot hold \"/\""});

    controls.folder = (folder.path() / "missing").string();
    EXPECT_EQ(attempt("keep"), Strings{"Kelvane | OK | File Not Saved\nNo such file or directory"});
    EXPECT_EQ(controls.status,
              "Cannot save " + controls.folder + "/keep.txt: No such file or directory");

    EXPECT_EQ(readFile(target("keep.txt")), "old\r\n");
    EXPECT_EQ(filesInFolder(), 2u);  // no temporary file is left behind
}

}  // namespace
}  // namespace kelvane::testing
