// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>

#include "CliRun.h"
#include "LineModel.h"
#include "phone/NumberSearch.h"

namespace kelvane::testing {
namespace {

using phone::Leniency;

// Numbers written many ways, extensions after every separator and label, and what the matcher
// must pass over: a time, a date, pages.
const std::vector<std::string> kNumbers = modelLines(
    "050-1234567\n+972 50 123 4567\n(03) 612-3456\n0501234567 ext. 12\n03-6123456\text:12\n"
    "050-1234567,~7\n+972501234567;ext=34\n050 123 4567 #12\n03-6123456 anexo 5\n"
    "050-1234567 int 3\n(050) 1234567 extensión 8\n050-1234567 EXTENSION 5\n"
    "03-6123456 ANEXO 7\n050-1234567 INT 3\n052-765-4321 x 9\n*1234\n+1 212-555-0123\n"
    "+44 20 7946 0123\n０５０１２３４５６７\n٠٥٠١٢٣٤٥٦٧\n0501234567/0527654321\n1-800-FLOWERS\n"
    "2012-01-02 08:00\n3/10/2011\n211-227 (2003)\n12:45\n");

// A piece of notes: a number written one of many ways, or what the matcher must pass over; a
// word that ends the matcher's candidates or may be part of one; a run of digits; or a few
// numbers with only blanks between them.
std::string notePiece(std::mt19937& random) {
    static constexpr std::string_view kWords[] = {
        "call", "Dana", "ext.", "x",    "anexo", "int", "доб", "שלום", "電話", "café",
        "ſ",    "!",    "?",    "*",    "%",     "$",   "€",   "@",    ";",    ",",
        "/",    "-",    "\t",   "tel:", "#",     "(",   ")",   "ー",   "ext=", "ＥＸＴ"};
    std::string piece;
    const auto kind = random() % 8;
    if (kind == 0)
        for (std::size_t n = random() % 300 + 1; n > 0; --n) piece += char('0' + random() % 10);
    if (kind == 1)
        for (std::size_t n = random() % 20; n > 0; --n) piece.append(kNumbers[random() % 3]) += ' ';
    if (kind < 2) return piece;
    return kind < 5 ? kNumbers[random() % kNumbers.size()]
                    : std::string(kWords[random() % std::size(kWords)]);
}

// Lines of notes up to 50 KB, each piece next to the one before or a blank away from it.
TEST(NumberSearch, WindowsFindWhatOneSearchOfTheWholeLineFinds) {
    std::mt19937 random(50);
    std::size_t found = 0;
    for (int round = 0; round < 12; ++round) {
        // First each way of writing a number between words, then pieces at random.
        const std::size_t size = random() % (50 << 10);
        std::string line;
        if (round < 4)
            for (const std::string& number : kNumbers) line.append(number) += " Dana ";
        for (std::string piece; line.size() + piece.size() <= size; line += piece)
            piece = notePiece(random) + (random() % 3 ? " " : "");
        // Each leniency, in the formats that keep an extension.
        const auto leniency = static_cast<Leniency>(round % 4);
        const NumberFormat format = round % 2 ? NumberFormat::Rfc3966 : NumberFormat::International;
        // Each window ends on the first character that ends candidates: on every one of them.
        const std::vector<std::string> numbers =
            phone::findNumbers(line, "IL", leniency, format, {.usual = 1});
        ASSERT_EQ(numbers, phone::findNumbersAtOnce(line, "IL", leniency, format))
            << "round " << round;
        found += numbers.size();
    }
    EXPECT_GT(found, 2000u);
}

// Stretches longer than the longest window that no character ends: numbers with only separators
// and labels between them, where a window starts where the last number found ended; and runs of
// digits whose last 10 make a number only when read from their start, which are read whole.
TEST(NumberSearch, ALongStretchThatNoCharacterEndsIsReadOnFromTheLastNumberFound) {
    static const std::vector<std::string> kHeld = modelLines(
        "050-1234567\n+972 50 123 4567\n(03) 612-3456\n0501234567\n052 765 4321\n03-6123456\n"
        "1234\n12\n5\n(050)1234567\n+972-50-1234567\n050.123.4567\n00972501234567\n"
        "0501234567 ext 5\n0501234567 x5\n050 1234567#\n0501234567,,5\n0501234567;ext=5\n"
        "~\n.\n-\n/\n(\n)\n[\n]\n+\n \n - \n--\n:\n");
    static constexpr std::string_view kSeparators[] = {" ", "",  "-", "/", ".", " / ", "  ",
                                                       "(", ")", ",", ":", "~", "+"};
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        std::string line;
        while (line.size() < 3000) {
            line.append(kHeld[random() % kHeld.size()])
                .append(kSeparators[random() % std::size(kSeparators)]);
        }
        for (int leniency = 0; leniency < 4; ++leniency) {
            const auto format = NumberFormat::Rfc3966;
            EXPECT_EQ(phone::findNumbers(line, "IL", Leniency(leniency), format,
                                         {.usual = 1, .longest = 2000, .margin = 600}),
                      phone::findNumbersAtOnce(line, "IL", Leniency(leniency), format))
                << line;
        }
    }
    std::string runs;
    for (int i = 0; i < 2; ++i) runs += "Dana " + std::string(420 * 14, '5') + "0501234567 Dana ";
    EXPECT_EQ(phone::findNumbers(runs, "IL", Leniency::Valid, NumberFormat::E164,
                                 {.usual = 1, .longest = 8192}),
              std::vector<std::string>(2, "+972501234567"));
}

// Each run may take two minutes of processor time, some ten times what the slowest takes, so a
// run whose time grows with the square of a line's length fails, and a slow machine does not.
class LongLine : public CliTest {
  protected:
    LongLine() { processorSeconds_ = 120; }
};

// A line of a megabyte of digits is too long for the library, unparsed; the lines around it are
// read as ever, by every command that reads numbers. The limit counts code points, not bytes.
TEST_F(LongLine, AMegabyteOfDigitsIsTooLongForEveryCommandAndHoldsUpNone) {
    const std::string digits(1 << 20, '5');
    const std::string input = "050-1234567\n" + digits + "\n052-7654321\n";
    const std::string report = "<stdin>:2: not a valid number: " + std::string(60, '5') +
                               "... (too long)\n2 numbers written, 1 ";
    const CliResult normalized = run({"normalize", "--region", "IL"}, input);
    EXPECT_EQ(normalized.out, "+972501234567\r\n+972527654321\r\n");
    EXPECT_EQ(normalized.err, report + "line not valid\n");
    const CliResult column =
        run({"normalize", "--region", "IL", "--column", "1", "--no-header"}, input);
    EXPECT_EQ(column.out, "+972501234567\n+972527654321\n");
    EXPECT_EQ(column.err, report + "row not valid\n");
    const CliResult deduplicated = run({"dedupe", "--phone", "IL"}, input + input);
    EXPECT_EQ(deduplicated.out, "050-1234567\r\n" + digits + "\r\n052-7654321\r\n");
    EXPECT_EQ(deduplicated.err, "Duplicates Found   3  Of Total:   6\n");
    folder_.write("registry", "0501234567\n" + digits + "6\n" + digits + "7\n");
    const CliResult struck = run({"dedupe", "--phone", "IL", "--except", "registry"}, input);
    EXPECT_EQ(struck.out, digits + "\r\n052-7654321\r\n");
    EXPECT_EQ(struck.err, "Duplicates Found   0  Of Total:   3  Excepted:   1\n");
    EXPECT_NE(
        run({"info", "--region", "IL"}, input).out.find("\n" + digits + "\tinvalid\t\t\t\t\n"),
        std::string::npos);
    EXPECT_EQ(run({"extract", "--region", "IL"}, input).out,
              "<stdin>:1: +972501234567\n<stdin>:3: +972527654321\n");

    std::string noBreakSpaces;
    for (int i = 0; i < 120; ++i) noBreakSpaces += "\u00A0";
    const CliResult limit = run({"normalize", "--region", "IL"},
                                "050-1234567" + std::string(239, ' ') + "\n050-1234567" +
                                    std::string(240, ' ') + "\n050-1234567" + noBreakSpaces + "\n");
    EXPECT_EQ(limit.out, "+972501234567\r\n+972501234567\r\n");
    EXPECT_TRUE(limit.err.starts_with("<stdin>:2: ")) << limit.err;
    EXPECT_TRUE(limit.err.ends_with(" (too long)\n2 numbers written, 1 line not valid\n"));
}

// Ten megabytes of notes on one line: every number in them is found.
TEST_F(LongLine, TenMegabytesOfNotesAreSearchedAsFastAsTheirLength) {
    if (KELVANE_SANITIZED) GTEST_SKIP() << "the release build's tests alone read 10 MB lines";
    std::string notes, found;
    for (int i = 0; notes.size() < (10 << 20); ++i) {
        const std::string subscriber = std::to_string(1000000 + i);
        static constexpr std::string_view kBefore[] = {"call Dana on 050-", "או ל-052 ",
                                                       "電話 +972 53-"};
        static constexpr std::string_view kFound[] = {"+97250", "+97252", "+97253"};
        notes.append(kBefore[i % 3]).append(subscriber) += ", ";
        found.append("<stdin>:1: ").append(kFound[i % 3]).append(subscriber) += '\n';
    }
    EXPECT_TRUE(run({"extract", "--region", "IL"}, notes).out == found);
}

}  // namespace
}  // namespace kelvane::testing
