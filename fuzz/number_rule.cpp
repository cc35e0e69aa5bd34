// SPDX-License-Identifier: GPL-3.0-or-later
// The number rule against its literal regular-expression model, on any bytes.
#include "FuzzCheck.h"
#include "NumberModel.h"
#include "core/NumberRule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(kelvane::fuzz::bytesOf(data, size));
    const bool number = kelvane::isNumber(line);
    FUZZ_REQUIRE(number == kelvane::testing::modelIsNumber(line));
    // Blanks around a line never change the verdict.
    FUZZ_REQUIRE(kelvane::isNumber(" \t" + line + "\t ") == number);
    return 0;
}
