// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <random>

#include "CliRun.h"
#include "phone/NumberKey.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/PrefixRewrites.h"
#include "phone/TypeFilter.h"

namespace kelvane::testing {
namespace {

using phone::PhoneDuplicateFilter;
using phone::PhoneNumberReader;

// Country code and national number, "x" a random digit: numbers of the regions read under and of
// others, many not in the numbering plan, some whose national prefix the metadata rewrites.
constexpr std::array<std::array<std::string_view, 2>, 17> kPlans{{
    {"972", "50xxxxxxx"},
    {"972", "2xxxxxxx"},
    {"54", "933274xxxxx"},
    {"54", "911xxxxxxxx"},
    {"54", "92214xxxxxx"},
    {"54", "11xxxxxxxx"},
    {"52", "55xxxxxxxx"},
    {"1", "201xxxxxxx"},
    {"1", "26846xxxxx"},
    {"44", "7400xxxxxx"},
    {"44", "20xxxxxxxx"},
    {"44", "1481xxxxxx"},
    {"683", "7290"},
    {"683", "4xxx"},
    {"55", "119xxxxxxxx"},
    {"378", "05499xxxxx"},
    {"800", "xxxxxxxx"},
}};

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
    const std::string head = n.substr(0, 2), tail = n.substr(2);
    std::vector<std::string> forms = {"+" + c + n,
                                      "+" + c + " " + head + " " + tail,
                                      "+" + c + "-(" + head + ")-" + tail,
                                      "00" + c + n,
                                      "011 " + c + " " + n,
                                      c + n,
                                      c + " " + n,
                                      "0" + n,
                                      "0" + head + "/" + tail,
                                      "(0" + head + ") " + tail,
                                      "1" + n,
                                      n,
                                      "+" + c + " (0)" + n,
                                      "+" + c + " 1 " + n,
                                      "044 " + n,
                                      "045 " + head + " " + tail,
                                      n.substr(3),
                                      n.substr(n.size() / 2)};
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
    for (const auto& [region, types] : {std::pair{"IL", ""},
                                        {"AR", ""},
                                        {"AR", "mobile"},
                                        {"MX", ""},
                                        {"US", ""},
                                        {"GB", ""},
                                        {"AG", ""},
                                        {"BR", ""},
                                        {"NU", "fixed-line"},
                                        {"SM", ""},
                                        {"GG", ""}}) {
        SCOPED_TRACE(region);
        // Each number once in the registry, written one way: a way that is missed shows.
        std::vector<Number> pool(4000);
        std::vector<std::string> registry, list(1000);
        for (Number& number : pool) {
            const auto& plan = kPlans[random() % kPlans.size()];
            number = {std::string(plan[0]), digitsIn(random, plan[1])};
            registry.push_back(written(random, number));
        }
        for (std::string& line : list) line = written(random, pool[random() % pool.size()]);
        // Some written twice, once a number is listed its other lines need not be judged.
        for (int i = 0; i < 1500; ++i) registry.push_back(written(random, pool[random() % 600]));

        const Scrubbed expected = judgingEveryLine(region, registry, list, types);
        std::vector<std::string> args{"dedupe",       "--phone",   region,        "--except",
                                      "registry.txt", "--removed", "removed.txt", "list.txt"};
        if (*types) args.insert(args.begin() + 3, {"--type", types});
        folder_.write("registry.txt", linesOf(registry));
        folder_.write("list.txt", linesOf(list));
        const CliResult result = run(args);
        EXPECT_EQ(result.out, expected.kept);
        EXPECT_EQ(readFile(folder_.path() / "removed.txt"), expected.removed);
        EXPECT_EQ(result.err, expected.summary);
    }
}

// The bound on the digits that stay: a group captured at the end of the match stays whole.
TEST_F(Registry, RewritesAddNoMoreDigitsThanTheirRulesExpand) {
    EXPECT_EQ(phone::addedDigits("0?(?:(11|2(?:2(?:02?|[13]))|3[67])15)?", "9$1"), 5u);
    EXPECT_EQ(phone::addedDigits("1|([457]\\d{6})$", "268$1"), 3u);
    EXPECT_EQ(phone::addedDigits("(?:0|90)(?:(1[245]|99)(\\d{10,11}))?", "$2"), 0u);
    EXPECT_EQ(phone::addedDigits("0(\\d{2,})15", "9$1"), SIZE_MAX);
    EXPECT_EQ(phone::addedDigits("0(?=1)", "$1"), SIZE_MAX);
    const phone::PrefixRewrites underArgentina("AR"), underIsrael("IL");
    EXPECT_EQ(underArgentina.intactDigits(phone::numberKey("+5493327412345")), 6u);
    EXPECT_EQ(underIsrael.intactDigits(phone::numberKey("+972501234567")), 9u);
    EXPECT_EQ(underIsrael.intactDigits(phone::numberKey("+6837290")), 4u);
    // Under Antigua its own rule, not its country code's main region's, puts 268 before a local
    // number: the registry's 4641234 is +1 268 464 1234.
    folder_.write("registry.txt", "4641234\n" + std::string(99, '\n'));
    EXPECT_EQ(run({"dedupe", "--phone", "AG", "--except", "registry.txt"}, "+1 268 464 1234\n").err,
              "Duplicates Found   0  Of Total:   1  Excepted:   1\n");
}

}  // namespace
}  // namespace kelvane::testing
