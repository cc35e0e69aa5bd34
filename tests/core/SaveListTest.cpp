// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <sys/xattr.h>

#include "ChildProcess.h"
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

TEST_F(SaveList, AsksBeforeReplacingAnyFileOfThatNameOnDiskAndKeepsItsLinksOwnerAndAttributes) {
    // Neither file is in the file list: one is hidden, one came after the list was drawn.
    folder.write(".abc.txt", "old and longer\r\n");
    std::filesystem::create_directory(target("real"));
    const std::string real = folder.write("real/numbers.txt", "old\r\n");
    std::filesystem::create_symlink("real/numbers.txt", target("link.txt"));
    // Saved over by the superuser, a file keeps its other names, owner, mode and attributes.
    std::filesystem::create_hard_link(target(".abc.txt"), target("second"));
    ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
    ::chmod(real.c_str(), 0604);
    const int attribute = ::setxattr(real.c_str(), "user.origin", "crm", 3, 0);
    ASSERT_TRUE(attribute == 0 || errno == ENOTSUP);
    struct stat before {};
    ::stat(real.c_str(), &before);
    controls.list = "new\r\n";
    const std::string question = "Note | OK Cancel | File Name Exits Over Write  ";

    EXPECT_EQ(save(".abc", {MessageAnswer::Cancel}), Strings{question});
    EXPECT_EQ(readFile(target(".abc.txt")), "old and longer\r\n");
    EXPECT_EQ(controls.saveName, ".abc");
    EXPECT_EQ(core.mSelectedFile, "/somewhere/list.txt");

    for (const std::string name : {".abc", "link"})
        EXPECT_EQ(save(name, {MessageAnswer::Ok}),
                  (Strings{question, "Kelvane | OK | File Saved"}));
    EXPECT_EQ(readFile(target("second")), "new\r\n");  // .abc.txt's other name, cut short
    EXPECT_TRUE(std::filesystem::is_symlink(target("link.txt")));
    EXPECT_EQ(readFile(real), "new\r\n");
    struct stat info {};
    ::stat(real.c_str(), &info);
    EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 0777),
              std::tuple(65534u, 65534u, 0604u));
    EXPECT_NE(info.st_ino, before.st_ino);  // replaced whole, by a rename
    EXPECT_EQ(::getxattr(real.c_str(), "user.origin", nullptr, 0), attribute == 0 ? 3 : -1);

    // Names compare exactly, and ".txt" is always added: neither ABC.txt nor abc.txt.txt exists.
    folder.write("abc.txt", "old\r\n");
    for (const std::string name : {"ABC", "abc.txt"}) {
        EXPECT_EQ(save(name), Strings{"Kelvane | OK | File Saved"});
        EXPECT_EQ(readFile(target(name + ".txt")), "new\r\n");
    }
}

TEST_F(SaveList, AUserWhoMayWriteTheFileButNotItsFolderSavesInPlace) {
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0755));
    const std::string path = folder.write("open.txt", "old\r\n");
    ::chown(path.c_str(), 65534, 65534);
    controls.list = "447912345678\r\n";
    const auto status = runInChild(becomeOrdinaryUser, [&] {
        save("open", {MessageAnswer::Ok});
        return controls.status;
    });
    EXPECT_EQ(status, "Saved " + path);
    EXPECT_EQ(readFile(path), controls.list);
}

}  // namespace
}  // namespace kelvane::testing
