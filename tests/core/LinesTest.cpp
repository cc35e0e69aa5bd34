// SPDX-License-Identifier: GPL-3.0-or-later
// Line splitting against its literal model, on any bytes, is the lines fuzz target's.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "base/TextFile.h"

namespace kelvane {
namespace {

TEST(TextFile, PathsJoinWithOneSeparatorAndTwoNameTheSameFile) {
    EXPECT_EQ(FileSystemObject::buildPath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(FileSystemObject::buildPath("/home/op", "a.txt"), "/home/op/a.txt");
    EXPECT_EQ(FileSystemObject::buildPath("/home/op/", "a.txt"), "/home/op/a.txt");
    testing::TempFolder folder;
    folder.write("a.txt", "1\n");
    EXPECT_EQ(FileSystemObject().openTextFile(folder.path().string() + "//a.txt").readLine(), "1");
}

}  // namespace
}  // namespace kelvane
