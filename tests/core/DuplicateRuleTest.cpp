// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DuplicateModel.h"
#include "DuplicateRule.h"

namespace kelvane {
namespace {

TEST(DuplicateRule, AgreesWithTheLiteralRuleOnRandomLists) {
    std::mt19937 random(1206);
    for (int round = 0; round < 20000; ++round) {
        const std::vector<std::string> lines = testing::randomLines(random, 30, 16);
        const std::size_t width = random() % 15;
        const testing::DuplicateModel model(lines, width);

        for (const auto storage : {LineSet::Storage::Borrowed, LineSet::Storage::Copied}) {
            DuplicateFilter filter(width, storage);
            std::vector<std::string> kept;
            for (const std::string& line : lines) {
                if (storage == LineSet::Storage::Borrowed) {
                    if (filter.keep(line)) kept.push_back(line);
                    continue;
                }
                // A copied line must not depend on the caller's buffer.
                std::string scratch = line;
                if (filter.keep(scratch)) kept.push_back(line);
                scratch.assign(scratch.size(), '#');
            }
            ASSERT_EQ(kept, model.kept) << "width " << width << ", round " << round;
        }
    }
}

TEST(DuplicateRule, LongerLinesThanTheWidthAreDuplicatesWhenIdenticalOrWhenTheirPrefixWasKept) {
    DuplicateFilter filter(12);
    EXPECT_TRUE(filter.keep("4479123456789"));
    EXPECT_FALSE(filter.keep("4479123456789"));  // identical, 13 characters
    EXPECT_TRUE(filter.keep("447912345678"));
    EXPECT_FALSE(filter.keep("4479123456781"));  // first 12 equal a kept line
    EXPECT_TRUE(filter.keep("447912345679"));
    EXPECT_TRUE(filter.keep(" 44791234567"));    // a blank is a character like any other
    EXPECT_FALSE(filter.keep(""));
    EXPECT_EQ(filter.keptCount(), 4u);
}

TEST(DuplicateRule, ManyDistinctLinesStayDistinct) {
    DuplicateFilter filter(12, LineSet::Storage::Copied);
    for (int i = 0; i < 300000; ++i) ASSERT_TRUE(filter.keep(std::to_string(4470000000000LL + i)));
    for (int i = 0; i < 300000; i += 7) ASSERT_FALSE(filter.keep(std::to_string(4470000000000LL + i)));
    EXPECT_EQ(filter.keptCount(), 300000u);
}

}  // namespace
}  // namespace kelvane
