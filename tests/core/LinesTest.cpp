// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "LineModel.h"
#include "TestFiles.h"
#include "TextFile.h"

namespace kelvane {
namespace {

TEST(Lines, AgreeWithTheLiteralModelOnRandomBytes) {
    // Pieces that meet each other in every order: breaks, a byte-order mark, bytes that are
    // not text, and 16-bit text's own byte-order mark.
    const std::string pieces[] = {"a",        "\r",          "\n", "\r\n", std::string(1, '\0'),
                                  "\xFF\xFE", "\xEF\xBB\xBF"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = random() % 10; n > 0; --n) text += pieces[random() % std::size(pieces)];
        TextStream stream(std::make_shared<const std::string>(text));
        const std::size_t counted = stream.remainingLines();
        std::vector<std::string> lines;
        while (!stream.atEndOfStream()) lines.emplace_back(stream.readLine());
        ASSERT_EQ(lines, testing::modelLines(text)) << ::testing::PrintToString(text);
        ASSERT_EQ(counted, lines.size()) << ::testing::PrintToString(text);
    }
}

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
