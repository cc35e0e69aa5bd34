// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "base/LineSet.h"

namespace kelvane {
namespace {

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
