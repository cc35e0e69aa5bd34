// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "NumberModel.h"
#include "core/NumberRule.h"

namespace kelvane {
namespace {

using testing::modelIsNumber;

TEST(NumberRule, AcceptsNumbersAsTheOperatorWritesThemAndAgreesWithTheLiteralRule) {
    // What the random lines below do not reach: long lines and other characters.
    for (const char* line : {"+447912345678", "00447912345678", "  0501234567\t", "1,234,567.5",
                             "99999999999999999999999999", "12345678901234567890"})
        EXPECT_TRUE(isNumber(line)) << line;
    for (const char* line : {"050-1234567", "050 1234567", "0x1F", "5\r", "(5)",
                             "\xEF\xBB\xBF"
                             "5"})
        EXPECT_FALSE(isNumber(line)) << line;

    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789+-.,eE \ta/";
    std::uniform_int_distribution<std::size_t> digit(0, 9), pick(0, alphabet.size() - 1);
    std::bernoulli_distribution likeANumber(0.6);  // lines of mostly digits reach the deep cases
    for (int round = 0; round < 200000; ++round) {
        std::string line;
        for (std::size_t n = digit(random); n > 0; --n)
            line += alphabet[likeANumber(random) ? digit(random) : pick(random)];
        ASSERT_EQ(isNumber(line), modelIsNumber(line)) << '"' << line << '"';
    }
}

}  // namespace
}  // namespace kelvane
