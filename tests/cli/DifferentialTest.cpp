// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <unordered_set>

#include "CliRun.h"
#include "DuplicateRule.h"
#include "LineStream.h"
#include "TextFile.h"

namespace kelvane::cli::testing {
namespace {

// Random bytes rich in what line reading must get right: breaks, CRs, pieces of a byte-order mark.
std::string randomText(std::mt19937& random, std::size_t maxSize) {
    static constexpr std::string_view kAlphabet = "12\n\n\r\xEF\xBB\xBF a";
    std::string text(random() % (maxSize + 1), ' ');
    for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
    if (random() % 3 == 0) text.insert(0, "\xEF\xBB\xBF");
    return text;
}

// A list of digit lines of 8 to 24 characters, many repeated or sharing a start, with LF or
// CR LF breaks: long enough to cross read blocks and to make the set of kept lines grow.
std::string randomList(std::mt19937& random, std::size_t lineCount) {
    std::vector<std::string> pool(lineCount / 2 + 1);
    for (std::string& line : pool) {
        line = std::to_string(4470000000 + random() % 1000);
        for (std::size_t n = random() % 15; n > 0; --n)
            line += static_cast<char>('0' + random() % 10);
    }
    std::string text;
    for (std::size_t i = 0; i < lineCount; ++i) {
        text += pool[random() % pool.size()];
        text += random() % 2 ? "\r\n" : "\n";
    }
    return text;
}

// The rule read literally, with a plain standard set: a line is a duplicate when its first
// `width` characters are empty or a kept line, or when it is a kept line itself.
std::size_t literalKeptCount(const std::vector<std::string>& lines, std::size_t width) {
    std::unordered_set<std::string> kept;
    for (const std::string& line : lines) {
        const std::string prefix = line.substr(0, width);
        if (!prefix.empty() && !kept.contains(prefix) && !kept.contains(line)) kept.insert(line);
    }
    return kept.size();
}

// The window's reading of a whole file.
std::vector<std::string> windowLines(const std::string& text) {
    TextStream stream(std::make_shared<const std::string>(text));
    std::vector<std::string> lines;
    while (!stream.atEndOfStream()) lines.emplace_back(stream.readLine());
    return lines;
}

using Differential = CliTest;

TEST_F(Differential, StreamedLinesMatchTheWindowsReaderAcrossBlockEnds) {
    std::mt19937 random(1207);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(random, 200);
        const std::size_t blockSize = 16 + random() % 48;
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(ends[1]);
        LineStream stream(ends[0], "<pipe>", blockSize);
        std::vector<std::string> lines;
        std::vector<std::string_view> batch;
        while (stream.nextLines(batch)) lines.insert(lines.end(), batch.begin(), batch.end());
        ::close(ends[0]);
        ASSERT_EQ(lines, windowLines(text)) << "round " << round << ", block " << blockSize;
    }
}

TEST_F(Differential, DedupeWritesWhatTheWindowsRuleKeepsOverTheWholeFile) {
    std::mt19937 random(1208);
    for (int round = 0; round < 40; ++round) {
        // A few lists larger than a read block, so lines are carried across block ends.
        const bool large = round % 10 == 0;
        const std::string text = large ? randomList(random, 200000) : randomText(random, 2000);
        const std::string path = write("list.txt", text);
        const std::size_t width = large ? 10 + random() % 14 : random() % 6;

        DuplicateFilter filter(width);
        const std::vector<std::string> lines = windowLines(text);
        std::string expected;
        for (const std::string& line : lines) {
            if (filter.keep(line)) expected += line + "\r\n";
        }
        if (large) {
            ASSERT_EQ(filter.keptCount(), literalKeptCount(lines, width));
        }
        const CliResult result = run({"dedupe", "-w", std::to_string(width), path});
        ASSERT_EQ(result.out, expected) << "round " << round << ", width " << width;
        ASSERT_EQ(result.err, "Duplicates Found   " +
                                  std::to_string(lines.size() - filter.keptCount()) +
                                  "  Of Total:   " + std::to_string(lines.size()) + "\n");
    }
}

}  // namespace
}  // namespace kelvane::cli::testing
