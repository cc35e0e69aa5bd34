// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "DuplicateModel.h"
#include "base/DuplicateFilter.h"

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
                std::string scratch = line;  // a copied line must not depend on the caller's
                if (filter.keep(storage == LineSet::Storage::Copied ? scratch : line))
                    kept.push_back(line);
                scratch.assign(scratch.size(), '#');
            }
            ASSERT_EQ(kept, model.kept) << "width " << width << ", round " << round;
        }
    }
}

TEST(LineSet, LinesBuiltToShareOneSlotUnderAFixedHashStillFindTheirOwn) {
    // Sixteen bytes whose first eight are this value all hashed to zero under the old unseeded
    // multiply-and-fold hash; at either length (the whole line, or the default 12-byte prefix).
    const std::uint64_t head = (16 * 0x9E3779B97F4A7C15ULL) ^ 0xA0761D6478BD642FULL;
    LineSet set(LineSet::Storage::Copied);
    char line[17] = {};
    std::memcpy(line, &head, sizeof head);
    for (int i = 0; i < 50000; ++i) {
        std::snprintf(line + 8, 9, "%08d", i);
        ASSERT_TRUE(set.insert(std::string_view(line, 16)));
        ASSERT_FALSE(set.contains(std::string_view(line, 12)));
    }
    EXPECT_EQ(set.size(), 50000u);
    EXPECT_LT(set.longestProbe(), 100u);  // 50,000 when every line starts at the same slot
}

}  // namespace
}  // namespace kelvane
