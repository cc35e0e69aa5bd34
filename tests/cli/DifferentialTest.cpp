// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdlib>
#include <random>
#include <sstream>

#include "CliRun.h"
#include "DuplicateModel.h"
#include "LineModel.h"

namespace kelvane::testing {
namespace {

// Random bytes rich in what line reading must get right: breaks, CRs, pieces of a byte-order mark.
std::string randomText(std::mt19937& random, std::size_t maxSize) {
    static constexpr std::string_view kAlphabet = "12\n\n\r\xEF\xBB\xBF a";
    std::string text(random() % (maxSize + 1), ' ');
    for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
    if (random() % 3 == 0) text.insert(0, "\xEF\xBB\xBF");
    return text;
}

// Over a megabyte of lines of 10 to 24 digits, often sharing a start, broken by LF or CR LF:
// lines carried across read blocks, and kept lines that must outlive their block.
std::string randomList(std::mt19937& random) {
    std::vector<std::string> pool(3000);
    for (std::string& line : pool) {
        line = std::to_string(4470000000 + random() % 1000);
        for (std::size_t n = random() % 15; n > 0; --n) line += char('0' + random() % 10);
    }
    std::string text;
    while (text.size() < (3 << 19)) text += pool[random() % pool.size()] + "\r\n\n"[random() % 2];
    return text;
}

using Differential = CliTest;

// Every way to give the list and the width: a file, standard input with or without a dash, and
// the width as the window's box reads it.
TEST_F(Differential, DedupeWritesWhatTheDuplicateModelKeeps) {
    std::mt19937 random(1208);
    for (int round = 0; round < 40; ++round) {
        const bool large = round % 10 == 9;
        const std::string text = round == 0 ? ""
                                 : large    ? randomList(random)
                                            : randomText(random, 2000);
        const std::size_t width = large ? 10 + random() % 14 : random() % 6;
        const std::string digits = std::to_string(width);
        const std::string spellings[] = {digits, "+" + digits, " " + digits + " ", "0" + digits};
        std::vector<std::string> args = {"dedupe", round % 2 ? "-w" : "--width",
                                         spellings[round % 4]};
        if (round % 3 == 0) args.push_back(folder_.write("list.txt", text));
        if (round % 3 == 1) args.push_back("-");

        const std::vector<std::string> lines = modelLines(text);
        const DuplicateModel model(lines, width);
        const CliResult result = run(args, round % 3 == 0 ? "" : text);
        ASSERT_EQ(result.out, listTextOf(model.kept)) << "round " << round << ", width " << width;
        ASSERT_EQ(result.err, "Duplicates Found   " + std::to_string(model.duplicates) +
                                  "  Of Total:   " + std::to_string(lines.size()) + "\n");
    }
}

// The line numbers in the reports of lines that are not valid numbers, one a line.
std::string reportedLines(const std::string& err, const std::string& name) {
    std::istringstream lines(err);
    std::string numbers;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(name + ":"))
            numbers += line.substr(name.size() + 1, line.find(": ") - name.size() - 1) + "\n";
    return numbers;
}

// Python's phonenumbers, the same library and metadata, run as a literal model of each command
// over generated lists of numbers written every which way, with invalid lines among them.
TEST_F(Differential, CommandsAgreeWithPythonPhonenumbersOnMixedLists) {
    const std::string model = "/usr/bin/python3 " KELVANE_PHONE_MODEL " " + folder_.path().string();
    ASSERT_EQ(std::system(model.c_str()), 0);
    const auto expected = [this](const std::string& name) {
        return readFile(folder_.path() / name);
    };
    const std::string list = (folder_.path() / "list.txt").string();

    for (const std::string format : {"e164", "international", "national"}) {
        // Standard input once; the region in any case.
        const CliResult result =
            format == "e164" ? run({"normalize", "--region", "il"}, readFile(list))
                             : run({"normalize", "--format", format, "--region", "IL", list});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, expected("normalize-" + format)) << format;
        EXPECT_EQ(reportedLines(result.err, format == "e164" ? "<stdin>" : list), expected("bad"));
    }
    for (const auto& [name, option, value] :
         {std::array<std::string, 3>{"phone", "--phone", "IL"}, {"width", "-w", "9"}}) {
        const CliResult result = run({"dedupe", option, value, "--except", "except.txt", "--except",
                                      "except.txt", "--removed", "removed.txt", list});
        EXPECT_EQ(result.out, expected("dedupe-" + name + "-out")) << name;
        EXPECT_EQ(expected("removed.txt"), expected("dedupe-" + name + "-removed")) << name;
        EXPECT_EQ(result.err, expected("dedupe-" + name + "-summary")) << name;
    }
}

// The model of the column, type, text and info commands: Python's csv module (strict=True) and
// phonenumbers, on generated CSV files with every hazard, free text and a list.
class CsvDifferential : public CliTest {
  protected:
    void SetUp() override {
        const std::string model =
            "/usr/bin/python3 " KELVANE_CSV_MODEL " " + folder_.path().string();
        ASSERT_EQ(std::system(model.c_str()), 0);
    }
    std::string expected(const std::string& name) const { return readFile(folder_.path() / name); }
};

TEST_F(CsvDifferential, ColumnsTypesTextAndInfoAgreeWithPythonCsvAndPhonenumbers) {
    for (const std::string file : {"contacts.csv", "mobiles.csv", "tabs.tsv"}) {
        std::vector<std::string> options = {"--column", "phone", file};
        if (file == "mobiles.csv")
            options.insert(options.end(), {"--delimiter", ";", "--type", "mobile,toll-free"});
        std::vector<std::string> normalize = {"normalize", "--region", "IL"};
        if (file == "mobiles.csv")
            normalize.insert(normalize.end(), {"--format", "rfc3966", "--keep-invalid"});
        if (file == "tabs.tsv") normalize.insert(normalize.end(), {"--format", "international"});
        normalize.insert(normalize.end(), options.begin(), options.end());
        const CliResult normalized = run(normalize);
        EXPECT_EQ(normalized.out, expected(file + ".normalized")) << file;
        EXPECT_EQ(reportedLines(normalized.err, file), expected(file + ".bad")) << file;
        std::vector<std::string> dedupe = {
            "dedupe", "--phone", "IL", "--removed", "removed.csv", "--except", file + ".except"};
        dedupe.insert(dedupe.end(), options.begin(), options.end());
        const CliResult deduplicated = run(dedupe);
        EXPECT_EQ(deduplicated.out, expected(file + ".kept")) << file;
        EXPECT_EQ(expected("removed.csv"), expected(file + ".removed")) << file;
        EXPECT_EQ(deduplicated.err, expected(file + ".summary")) << file;
    }
    // A list, one number a line, keeps only the kinds asked for too.
    const CliResult normalized = run({"normalize", "--region", "IL", "--type", "mobile,toll-free",
                                      "--format", "national", "list.txt"});
    EXPECT_EQ(normalized.out, expected("list-normalized"));
    EXPECT_EQ(reportedLines(normalized.err, "list.txt"), expected("list-bad"));
    const CliResult deduplicated =
        run({"dedupe", "--phone", "IL", "--type", "mobile,toll-free", "list.txt"});
    EXPECT_EQ(deduplicated.out, expected("list-kept"));
    EXPECT_EQ(deduplicated.err, expected("list-summary"));
    for (const auto& [leniency, format] : {std::pair{"possible", "national"},
                                           {"valid", "e164"},
                                           {"strict", "international"},
                                           {"exact", "rfc3966"}}) {
        EXPECT_EQ(run({"extract", "--region", "IL", "--leniency", leniency, "--format", format,
                       "notes.txt"})
                      .out,
                  expected(std::string("extract-") + leniency));
    }
    // Places are compared where they are finer than a country ("*" where they are not): the two
    // libraries name countries from different data.
    ::setenv("LC_ALL", "C", 1);
    std::istringstream got(run({"info", "--region", "IL", "list.txt"}).out), want(expected("info"));
    for (std::string line, wanted; std::getline(want, wanted);) {
        ASSERT_TRUE(std::getline(got, line));
        if (wanted.ends_with("\t*")) line = line.substr(0, line.rfind('\t')) + "\t*";
        EXPECT_EQ(line, wanted);
    }
}

// What Python's csv refuses, and a row too short for the column: exit 2, the row's line, and no
// output file replaced.
TEST_F(CsvDifferential, MalformedRowsEndTheRunWithTheirLineAndReplaceNoFile) {
    std::istringstream cases(expected("broken"));
    for (std::string file, message;
         std::getline(cases, file, '\t') && std::getline(cases, message);) {
        for (const std::string command : {"normalize", "dedupe"}) {
            folder_.write("out.csv", "before");
            const CliResult result = run({command, command == "normalize" ? "--region" : "--phone",
                                          "IL", "--column", "phone", "-o", "out.csv", file});
            EXPECT_EQ(result.exitCode, 2);
            EXPECT_EQ(result.err, "kelvane-cli: " + message + "\n");
            EXPECT_EQ(expected("out.csv"), "before");
        }
    }
}

}  // namespace
}  // namespace kelvane::testing
