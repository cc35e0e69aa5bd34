// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kelvane::fuzz {

[[noreturn]] inline void disagree(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: the core and its model disagree: %s\n", file, line, what);
    std::abort();  // libFuzzer keeps the input that got here
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kelvane::fuzz

// Stops the run, as a crash does, when `condition` is false.
#define FUZZ_REQUIRE(condition) \
    ((condition) ? void() : ::kelvane::fuzz::disagree(#condition, __FILE__, __LINE__))
