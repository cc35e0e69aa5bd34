// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a list of twelve-digit telephone numbers for the benchmarks: 80% distinct, shuffled,
// CR LF breaks, the same bytes for the same line count on every run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen-numbers LINES OUT\n");
        return 2;
    }
    const std::uint64_t lines = std::strtoull(argv[1], nullptr, 10);
    const std::uint64_t distinct = std::max<std::uint64_t>(1, lines * 4 / 5);

    // Distinct values from a multiplicative walk over the twelve-digit range: no set needed.
    constexpr std::uint64_t kFirst = 100'000'000'000, kSpan = 900'000'000'000;
    constexpr std::uint64_t kStride = 387'420'489;  // coprime with kSpan
    std::vector<std::uint64_t> numbers(lines);
    for (std::uint64_t i = 0; i < distinct && i < lines; ++i)
        numbers[i] = kFirst + (i * kStride) % kSpan;
    std::mt19937_64 random(20261206);
    for (std::uint64_t i = distinct; i < lines; ++i) numbers[i] = numbers[random() % distinct];
    std::shuffle(numbers.begin(), numbers.end(), random);

    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::perror(argv[2]);
        return 2;
    }
    std::string text;
    text.reserve(lines * 14);
    for (std::uint64_t number : numbers) {
        text += std::to_string(number);
        text += "\r\n";
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[2]);
        return 2;
    }
    return 0;
}
