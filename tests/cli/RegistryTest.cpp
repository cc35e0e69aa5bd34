// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <random>

#include "CliRun.h"
#include "LineModel.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/TypeFilter.h"

namespace kelvane::testing {
namespace {

using phone::PhoneDuplicateFilter;
using phone::PhoneNumberReader;

// Country code and national number, "x" a random digit: numbers of the regions read under and of
// others, many not in the numbering plan, some whose national prefix the metadata rewrites.
const std::vector<std::string> kPlans = modelLines(
    "972 50xxxxxxx\n972 2xxxxxxx\n54 933274xxxxx\n54 911xxxxxxxx\n54 92214xxxxxx\n54 11xxxxxxxx\n"
    "52 55xxxxxxxx\n1 201xxxxxxx\n1 26846xxxxx\n44 7400xxxxxx\n44 20xxxxxxxx\n44 1481xxxxxx\n"
    "683 7290\n683 4xxx\n55 119xxxxxxxx\n378 05499xxxxx\n800 xxxxxxxx\n");

struct Number {
    std::string country, national;
};

std::string digitsIn(std::mt19937& random, std::string_view plan) {
    std::string digits(plan);
    for (char& c : digits)
        if (c == 'x') c = static_cast<char>('0' + random() % 10);
    return digits;
}

// The number written one of the ways people and exports write numbers, or a line that is not one.
std::string written(std::mt19937& random, const Number& number) {
    const std::string& c = number.country;
    const std::string& n = number.national;
    // C the country code, N the national number, H and T its first two digits and the rest, L
    // its last digits from the fourth, R its second half.
    const std::string head = n.substr(0, 2), tail = n.substr(2);
    std::vector<std::string> forms;
    for (const std::string& pattern :
         modelLines("+CN\n+C H T\n+C-(H)-T\n00CN\n011 C N\nCN\nC N\n0N\n0H/T\n(0H) T\n1N\nN\n"
                    "+C (0)N\n+C 1 N\n044 N\n045 H T\nL\nR\n")) {
        std::string& form = forms.emplace_back();
        for (const char p : pattern) {
            const std::string parts[] = {c, n, head, tail, n.substr(3), n.substr(n.size() / 2)};
            const auto part = std::string_view("CNHTLR").find(p);
            form += part == std::string_view::npos ? std::string(1, p) : parts[part];
        }
    }
    if (n.size() >= 10) {
        // An Argentine mobile written nationally: its area code, "15", the subscriber number.
        const std::string area = n.substr(1, n.size() - 7), subscriber = n.substr(n.size() - 6);
        forms.push_back(c + " (0" + area + ") 15 " + subscriber);
        forms.push_back("(0" + area + ") 15-" + subscriber.substr(0, 2) + "-" +
                        subscriber.substr(2));
        const std::string shortArea = n.substr(1, n.size() - 9), local = n.substr(n.size() - 8);
        forms.push_back("0" + shortArea + " 15 " + local);
    }
    std::string line = forms[random() % forms.size()];
    switch (random() % 12) {
        case 0: {  // Arabic-Indic or fullwidth digits
            const bool arabic = random() % 2;
            std::string wide;
            for (const char d : line)
                wide += d < '0' || d > '9' ? std::string(1, d)
                        : arabic           ? std::string{'\xD9', static_cast<char>(0x70 + d)}
                                 : std::string{'\xEF', '\xBC', static_cast<char>(0x60 + d)};
            return wide;
        }
        case 1:
            return line + std::array{" ext. 12", " x12", " #12", ",,12", ";12", "#"}[random() % 6];
        case 2:
            return std::array{"#", ",,", ";", "tel:", " "}[random() % 5] + line;
        case 3:
            return std::array{"",
                              "1-800-FLOWERS",
                              "+1 800 FLOWERS",
                              "#12",
                              ",,12",
                              ";12",
                              "n/a",
                              "+999 1234",
                              "12",
                              "--",
                              "()",
                              "\xFF"
                              "0501234567"}[random() % 12];
        default:
            return line;
    }
}

struct Scrubbed {
    std::string kept, removed, summary;
};

// The rule as it was when every line of the registry was judged: all of them taken into a
// duplicate filter first; a line of the list they hold is excepted whatever its kind, else a
// number of a kind not kept is set aside.
Scrubbed judgingEveryLine(const std::string& region, const std::vector<std::string>& registry,
                          const std::vector<std::string>& list, std::string_view types) {
    const phone::TypeFilter kinds(types);
    PhoneNumberReader reader(region, NumberFormat::E164, !kinds.keepsAll());
    const auto setAside = [&](const std::string& line) {
        const phone::NumberVerdict& verdict = reader.read(line);
        return verdict.valid && !kinds.keeps(verdict.type);
    };
    PhoneDuplicateFilter filter(reader), excepted(reader);
    for (const std::string& line : registry) excepted.keep(line);
    Scrubbed scrubbed;
    std::size_t listed = 0, otherTypes = 0, repeated = 0;
    for (const std::string& line : list) {
        const bool isListed = excepted.matchesKept(line), other = !isListed && setAside(line);
        if (!isListed && !other && filter.keep(line)) {
            scrubbed.kept += line + "\r\n";
            continue;
        }
        listed += isListed;
        otherTypes += other;
        repeated += !isListed && !other;
        scrubbed.removed += line + "\r\n";
    }
    scrubbed.summary = "Duplicates Found   " + std::to_string(repeated) +
                       "  Of Total:   " + std::to_string(list.size()) +
                       "  Excepted:   " + std::to_string(listed);
    if (!kinds.keepsAll()) scrubbed.summary += "  Other Types:   " + std::to_string(otherTypes);
    scrubbed.summary += "\n";
    return scrubbed;
}

std::string linesOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

using Registry = CliTest;

// Registry lines go to the library only when they could be one of the list's numbers; whatever
// the way a number is written and whatever the region, the result is that of judging them all.
TEST_F(Registry, ScrubbingGivesWhatJudgingEveryRegistryLineGives) {
    std::mt19937 random(1812);
    // Each region, and the kinds kept where only some are.
    for (const std::string& under : modelLines("IL\nAR\nAR mobile\nMX\nUS\nGB\nAG\nBR\n"
                                               "NU fixed-line\nSM\nGG\n")) {
        const std::string region = under.substr(0, 2),
                          types = under.substr(std::min<std::size_t>(3, under.size()));
        SCOPED_TRACE(region);
        // Each number once in the registry, written one way: a way that is missed shows.
        std::vector<Number> pool(4000);
        std::vector<std::string> registry, list(1000);
        for (Number& number : pool) {
            const std::string& plan = kPlans[random() % kPlans.size()];
            const std::size_t space = plan.find(' ');
            number = {plan.substr(0, space), digitsIn(random, plan.substr(space + 1))};
            registry.push_back(written(random, number));
        }
        for (std::string& line : list) line = written(random, pool[random() % pool.size()]);
        // Some written twice, once a number is listed its other lines need not be judged.
        for (int i = 0; i < 1500; ++i) registry.push_back(written(random, pool[random() % 600]));

        const Scrubbed expected = judgingEveryLine(region, registry, list, types);
        std::vector<std::string> args{"dedupe",       "--phone",   region,        "--except",
                                      "registry.txt", "--removed", "removed.txt", "list.txt"};
        if (!types.empty()) args.insert(args.begin() + 3, {"--type", types});
        folder_.write("registry.txt", linesOf(registry));
        folder_.write("list.txt", linesOf(list));
        const CliResult result = run(args);
        EXPECT_EQ(result.out, expected.kept);
        EXPECT_EQ(readFile(folder_.path() / "removed.txt"), expected.removed);
        EXPECT_EQ(result.err, expected.summary);
    }
}

}  // namespace
}  // namespace kelvane::testing
