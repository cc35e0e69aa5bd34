// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a do-not-call registry and a calling list for the registry bench, both written the mixed
// ways phone-list.py writes numbers: Israeli numbers a dozen ways, one in a hundred with an
// extension, one line in ten a foreign number, one in fifty not a number at all; CR LF breaks,
// the same bytes on every run. The registry holds LINES / 4 numbers; half of the calling list's
// lines are drawn from them, the other half from numbers of the same plan drawn anew.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::mt19937_64 engine(20261218);

std::uint64_t below(std::uint64_t n) {
    return engine() % n;
}

std::string israeli() {
    static const std::string firsts = "5555555555234789";
    const char first = firsts[below(firsts.size())];
    std::string number(1, first);
    for (int i = first == '5' ? 8 : 7; i > 0; --i) number += static_cast<char>('0' + below(10));
    return number;
}

std::string written(const std::string& n) {
    const std::string a = n.substr(0, n.size() - 7), b = n.substr(n.size() - 7);
    const std::string b1 = b.substr(0, 3), b2 = b.substr(3);
    const std::string ways[] = {"0" + n,
                                "0" + a + "-" + b,
                                "0" + a + "-" + b,
                                "(0" + a + ") " + b1 + "-" + b2,
                                "0" + a + "." + b1 + "." + b2,
                                "+972 " + a + " " + b1 + " " + b2,
                                "+972-" + a + "-" + b,
                                "+972" + n,
                                "00972" + n,
                                "972" + n,
                                "0" + a + " " + b1 + " " + b2};
    std::string line = ways[below(std::size(ways))];
    if (below(100) == 0) line += " ext. " + std::to_string(1 + below(99));
    return line;
}

std::string digits(int count) {
    std::string text;
    for (; count > 0; --count) text += static_cast<char>('0' + below(10));
    return text;
}

std::string foreign() {
    switch (below(6)) {
        case 0:
            return "+44 20 7946 " + digits(4);
        case 1:
            return "+1 (212) 555-" + digits(4);
        case 2:
            return "+33 1 " + std::to_string(10 + below(90)) + " " +
                   std::to_string(10 + below(90)) + " " + std::to_string(10 + below(90)) + " 00";
        default:
            return "+44 7" + std::to_string(400 + below(600)) + " " +
                   std::to_string(100000 + below(900000));
    }
}

// One line of a list whose numbers come from `pick`.
template <typename Pick>
std::string line(Pick&& pick) {
    static const char* const junk[] = {"",    "call after 5",    "12", "+999 1234", "050-12345",
                                       "n/a", "0501234567890123"};
    if (below(50) == 0) return junk[below(std::size(junk))];
    if (below(10) == 0) return foreign();
    return written(pick());
}

void write(const char* path, std::uint64_t lines, auto&& pick) {
    std::FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::perror(path);
        std::exit(1);
    }
    for (std::uint64_t i = 0; i < lines; ++i) {
        const std::string text = line(pick) + "\r\n";
        std::fwrite(text.data(), 1, text.size(), out);
    }
    if (std::fclose(out) != 0) {
        std::perror(path);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: gen-registry LINES REGISTRY LIST-LINES LIST\n");
        return 2;
    }
    const std::uint64_t lines = std::strtoull(argv[1], nullptr, 10);
    std::vector<std::string> pool(std::max<std::uint64_t>(1, lines / 4));
    for (std::string& number : pool) number = israeli();
    write(argv[2], lines, [&] { return pool[below(pool.size())]; });
    write(argv[4], std::strtoull(argv[3], nullptr, 10),
          [&] { return below(2) == 0 ? pool[below(pool.size())] : israeli(); });
    return 0;
}
