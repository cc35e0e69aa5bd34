// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreFixture.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;

class SaveList : public CoreFixture {
  protected:
    SaveList() { core.selectFile("/somewhere/list.txt"); }
    std::filesystem::path target(const std::string& name) const { return folder.path() / name; }
    Strings save(const std::string& name, std::deque<MessageAnswer> answers = {}) {
        controls.log.clear();
        controls.saveName = name;
        controls.answers = std::move(answers);
        core.SaveList();
        return controls.messages();
    }
};

TEST_F(SaveList, RefusesAnEmptyListThenAnEmptyNameAndWritesTheListByteForByte) {
    EXPECT_EQ(save(""), Strings{"Kelvane | OK | No Numbers To Save"});
    controls.list = "\r\n";  // a lone line break is a list
    EXPECT_EQ(save(""), Strings{"Kelvane | OK | No File Name To Save"});
    EXPECT_TRUE(snapshot(folder.path()).empty());
    EXPECT_EQ(save("   "), Strings{"Kelvane | OK | File Saved"});  // blanks are a name
    EXPECT_EQ(readFile(target("   .txt")), "\r\n");

    const std::string list = "447912345678\r\n\xE9\xFF\x00 x\n\r\n12"s;
    controls.list = list;
    core.selectFile("/somewhere/list.txt");
    save("clean");
    EXPECT_EQ(readFile(target("clean.txt")), list);
    const Strings expected = {"name = clean.txt", "message: Kelvane | OK | File Saved",
                              "refresh folders", "refresh files", "name = "};
    EXPECT_EQ(controls.log, expected);  // the name shows ".txt" while "File Saved" is up
    EXPECT_EQ(core.mSelectedFile, std::string());
    EXPECT_EQ(controls.status, "Saved " + target("clean.txt").string());
    EXPECT_EQ(snapshot(folder.path()).size(), 2u);  // no temporary file is left behind
}

TEST_F(SaveList, AsksBeforeReplacingAnyFileOfThatNameOnDiskAndWritesThroughLinks) {
    // Neither file is in the file list: one is hidden, one came after the list was drawn.
    folder.write(".abc.txt", "old\r\n");
    std::filesystem::create_directory(target("real"));
    folder.write("real/numbers.txt", "old\r\n");
    std::filesystem::create_symlink("real/numbers.txt", target("link.txt"));
    controls.list = "new\r\n";
    const std::string question = "Note | OK Cancel | File Name Exits Over Write  ";

    EXPECT_EQ(save(".abc", {MessageAnswer::Cancel}), Strings{question});
    EXPECT_EQ(readFile(target(".abc.txt")), "old\r\n");
    EXPECT_EQ(controls.saveName, ".abc");
    EXPECT_EQ(core.mSelectedFile, "/somewhere/list.txt");

    for (const std::string name : {".abc", "link"})
        EXPECT_EQ(save(name, {MessageAnswer::Ok}),
                  (Strings{question, "Kelvane | OK | File Saved"}));
    EXPECT_EQ(readFile(target(".abc.txt")), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(target("link.txt")));
    EXPECT_EQ(readFile(target("real/numbers.txt")), "new\r\n");

    // Names compare exactly, and ".txt" is always added: neither ABC.txt nor abc.txt.txt exists.
    folder.write("abc.txt", "old\r\n");
    for (const std::string name : {"ABC", "abc.txt"}) {
        EXPECT_EQ(save(name), Strings{"Kelvane | OK | File Saved"});
        EXPECT_EQ(readFile(target(name + ".txt")), "new\r\n");
    }
}

}  // namespace
}  // namespace kelvane::testing
