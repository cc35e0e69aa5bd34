// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "TestFiles.h"
#include "Lines.h"
#include "TextFile.h"

namespace kelvane {
namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
    TextStream stream(std::make_shared<const std::string>(bytes));
    std::vector<std::string> lines;
    while (!stream.atEndOfStream()) lines.emplace_back(stream.readLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(Lines, BreakOnLfAndCrLfAndKeepEveryOtherByte) {
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\n"), Lines{""});
    EXPECT_EQ(linesOf("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(linesOf("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\rb\rc\r"), (Lines{"a\rb\rc\r"}));  // a lone CR is no break
    EXPECT_EQ(linesOf("a\r\r\n"), (Lines{"a\r"}));
    EXPECT_EQ(linesOf(std::string("\0\xff\n\x80", 4)), (Lines{std::string("\0\xff", 2), "\x80"}));
}

TEST(Lines, SkipAUtf8ByteOrderMarkOnlyAtTheStart) {
    EXPECT_EQ(linesOf("\xEF\xBB\xBF" "12\n\xEF\xBB\xBF" "34"), (Lines{"12", "\xEF\xBB\xBF" "34"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBF"), Lines{});
    EXPECT_EQ(linesOf("\xFF\xFE" "1\0"), (Lines{"\xFF\xFE" "1"}));  // 16-bit text stays as it is
}

TEST(Lines, CountMatchesTheLinesRead) {
    std::mt19937 random(7);
    const std::string alphabet = "a\r\n";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = random() % 12; n > 0; --n) text += alphabet[random() % alphabet.size()];
        ASSERT_EQ(countLines(text), linesOf(text).size()) << text;
    }
}

TEST(TextFile, BuildPathInsertsOneSeparator) {
    EXPECT_EQ(FileSystemObject::buildPath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(FileSystemObject::buildPath("/home/op", "a.txt"), "/home/op/a.txt");
    EXPECT_EQ(FileSystemObject::buildPath("/home/op/", "a.txt"), "/home/op/a.txt");
}

TEST(TextFile, OpeningReportsTheSystemsReason) {
    testing::TempFolder folder;
    const FileSystemObject files;
    const auto reasonFor = [&](const std::string& path) {
        try {
            files.openTextFile(path);
            return std::string("opened");
        } catch (const FileError& error) {
            return std::string(error.what());
        }
    };
    EXPECT_EQ(reasonFor((folder.path() / "missing.txt").string()), "No such file or directory");
    std::filesystem::create_directory(folder.path() / "x.txt");
    EXPECT_EQ(reasonFor((folder.path() / "x.txt").string()), "Is a directory");
    EXPECT_EQ(reasonFor(""), "No such file or directory");
    // Two separators in a row name the same file.
    folder.write("a.txt", "1\n");
    EXPECT_EQ(reasonFor(folder.path().string() + "//a.txt"), "opened");
}

TEST(TextFile, AnUncommittedWriterLeavesTheTargetAndNoTemporaryFile) {
    testing::TempFolder folder;
    const std::string target = folder.write("list.txt", "old\r\n");
    {
        TextFileWriter writer(target);
        writer.write("new\r\n");
    }
    EXPECT_EQ(testing::readFile(target), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    TextFileWriter writer(target);
    writer.write("new\r\n");
    writer.commit();
    EXPECT_EQ(testing::readFile(target), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace kelvane
