// SPDX-License-Identifier: GPL-3.0-or-later
// The Numbers items against kelvane-cli, the one oracle of the telephone-number rules, on a
// generated list of numbers written every which way; the mobile rule against the engine's own.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <regex>

#include "AllocationFaults.h"
#include "CoreFixture.h"
#include "base/Lines.h"
#include "phone/NumberType.h"
#include "phone/PhoneNumberReader.h"

namespace kelvane::testing {
namespace {

class NumberOperations : public CoreFixture {
  protected:
    // list.txt (3,000 mixed lines, region IL) and except.txt, from the batch command's model.
    NumberOperations() {
        const std::string model = "/usr/bin/python3 " KELVANE_PHONE_MODEL " " + dir();
        EXPECT_EQ(std::system(model.c_str()), 0);
    }
    std::string dir() const { return folder.path().string(); }
    // kelvane-cli's standard output; its standard error goes to `err`.
    std::string cli(const std::string& args) {
        const std::string command =
            KELVANE_CLI " " + args + " >" + dir() + "/out 2>" + dir() + "/err";
        std::system(command.c_str());
        return readFile(folder.path() / "out");
    }
    // All that an item may change.
    Strings state() {
        return {controls.list,
                controls.formCaption,
                controls.summaryCaption,
                core.removedLines(),
                core.linesNotRead(),
                core.mListRegion,
                controls.progressVisible ? "bar shown" : "",
                core.busy() ? "busy" : ""};
    }
    // The lines of `list` the engine's own rule takes to be possibly mobile under `region`.
    static std::string mobilesOf(const std::string& list, const std::string& region) {
        phone::PhoneNumberReader reader(region, NumberFormat::E164, true);
        std::string kept;
        std::size_t pos = 0;
        for (std::string_view line; nextLine(list, pos, line);) {
            const phone::NumberVerdict& verdict = reader.read(line);
            if (verdict.valid && phone::mayBeMobile(verdict.type)) kept.append(line).append("\r\n");
        }
        return kept;
    }
};

TEST_F(NumberOperations, OpenRemoveDuplicatesAndStrikeGiveWhatTheBatchCommandGives) {
    const std::string list = select("list.txt", readFile(folder.path() / "list.txt"));
    for (const auto& [format, option] :
         {std::pair{NumberFormat::E164, "e164"}, std::pair{NumberFormat::National, "national"}}) {
        SCOPED_TRACE(option);
        const std::string numbers =
            cli("normalize --region IL --format " + std::string(option) + " " + list);
        const std::string report = std::regex_replace(
            std::regex_replace(readFile(folder.path() / "err"), std::regex(".*written.*\n"), ""),
            std::regex(": not a valid number: "), ": ");
        core.OpenAsTelephoneNumbers("IL", format);
        EXPECT_EQ(controls.list, numbers);
        EXPECT_EQ(core.linesNotRead(), report);
        const auto notRead = std::count(report.begin(), report.end(), '\n');
        EXPECT_EQ(std::count(core.removedLines().begin(), core.removedLines().end(), '\n'),
                  notRead);
        EXPECT_EQ(controls.formCaption,
                  "Total Numbers In File  " +
                      std::to_string(std::count(numbers.begin(), numbers.end(), '\n')));
        EXPECT_EQ(controls.summaryCaption,
                  "Not Read   " + std::to_string(notRead) + "  Of Total:   3000");

        // The list it left, under a menu region that is not the list's.
        folder.write("numbers.txt", numbers);
        const std::string unique = cli("dedupe --phone IL " + dir() + "/numbers.txt");
        core.RemoveDuplicateNumbers("US");
        EXPECT_EQ(controls.list, unique);
        EXPECT_EQ(controls.summaryCaption + "\n", readFile(folder.path() / "err"));
    }

    // The list as it was written; dropping duplicates first, then striking, is what the batch
    // command's --except does in one go.
    core.mListRegion.clear();
    controls.list = readFile(list);
    core.RemoveDuplicateNumbers("IL");
    const std::string unique = cli("dedupe --phone IL --removed " + dir() + "/removed " + list);
    EXPECT_EQ(controls.list, unique);
    EXPECT_EQ(core.removedLines(), readFile(folder.path() / "removed"));
    const std::string kept = cli("dedupe --phone IL --except " + dir() + "/except.txt " + list);
    core.StrikeNumbersListedIn(dir() + "/except.txt", "IL");
    EXPECT_EQ(controls.list, kept);
    const auto lines = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    EXPECT_EQ(controls.formCaption, std::to_string(lines(kept)));
    EXPECT_EQ(controls.summaryCaption, "Struck   " + std::to_string(lines(unique) - lines(kept)) +
                                           "  Of Total:   " + std::to_string(lines(unique)));
}

TEST_F(NumberOperations, KeepsMobilesByTheEnginesRuleUnderTheRegionTheListWasOpenedWith) {
    select("list.txt", readFile(folder.path() / "list.txt"));
    core.OpenAsTelephoneNumbers("IL", NumberFormat::National);
    const std::string national = controls.list, mobiles = mobilesOf(national, "IL");
    ASSERT_NE(mobiles, national);
    ASSERT_NE(mobiles, "");
    core.KeepOnlyMobileNumbers("US");  // a menu region that reads none of them
    EXPECT_EQ(controls.list, mobiles);
    EXPECT_EQ(controls.summaryCaption.substr(0, 11), "Not Mobile ");

    // A list the buttons put in place has no region of its own.
    select("plain.txt", "0501234567\r\n");
    for (const auto& replaceList : {std::function<void()>([&] { core.RemoveDuplicates(); }),
                                    std::function<void()>([&] { core.LoadNumberFile({}); })}) {
        core.mListRegion = "IL";
        replaceList();
        core.KeepOnlyMobileNumbers("US");
        EXPECT_EQ(controls.list, "");
        EXPECT_EQ(core.removedLines(), "0501234567\r\n");
    }
}

TEST_F(NumberOperations, AStoppedOrFailedRunLeavesTheListAndEverythingElseAsItWas) {
    select("list.txt", readFile(folder.path() / "list.txt"));
    core.OpenAsTelephoneNumbers("IL", NumberFormat::National);
    core.RemoveDuplicateNumbers("IL");
    const Strings before = state();
    const std::function<void()> items[] = {
        [&] { core.OpenAsTelephoneNumbers("US", NumberFormat::E164); },  // the list's region stays
        [&] { core.RemoveDuplicateNumbers("IL"); },
        [&] { core.StrikeNumbersListedIn(dir() + "/except.txt", "IL"); },
        [&] { core.KeepOnlyMobileNumbers("IL"); },
    };
    for (const bool cancel : {true, false}) {
        for (const auto& item : items) {
            controls.log.clear();
            controls.yields = 0;
            controls.onYield = [&] {
                if (controls.yields < 200) return;  // midway through the list
                if (!cancel) throw std::runtime_error("disk gone");
                core.requestCancel();
            };
            item();
            EXPECT_EQ(state(), before);
            EXPECT_EQ(controls.status, cancel ? "Stopped: the list is as it was" : "disk gone");
            EXPECT_EQ(controls.messages().size(), cancel ? 0u : 1u);
        }
    }
    EXPECT_EQ(controls.messages(), Strings{"Kelvane | OK | List Not Changed\ndisk gone"});

    controls.onYield = nullptr;
    core.StrikeNumbersListedIn(dir(), "IL");
    core.mListRegion = "XX";
    core.RemoveDuplicateNumbers("IL");
    core.forgetSelectedFile();
    core.OpenAsTelephoneNumbers("IL", NumberFormat::E164);
    EXPECT_EQ(controls.list, before[0]);
    EXPECT_EQ(controls.messages(),
              (Strings{"Kelvane | OK | List Not Changed\ndisk gone",
                       "Kelvane | OK | List Not Changed\nCannot open " + dir() + ": Is a directory",
                       "Kelvane | OK | List Not Changed\nunknown region XX (a two-letter country "
                       "code such as US or IL)",
                       "Kelvane | OK | Numbers Not Opened\nNo file is selected: click a file in "
                       "the file list first"}));
}

TEST_F(NumberOperations, StrikingYieldsToTheWindowForEveryBlockOfTheListAndOfTheFileBeforeSorting) {
    std::string list;
    for (int line = 0; line < 5000; ++line) list += "0501234567\r\n";  // two blocks
    controls.list = list;
    const std::string struck = folder.write("struck.txt", "0501234567\n");  // one
    int beforeSorting = 0;
    controls.onYield = [&] { beforeSorting += controls.progressMaximum != 5000 ? 1 : 0; };
    core.StrikeNumbersListedIn(struck, "IL");
    EXPECT_EQ(controls.list, "");
    EXPECT_EQ(beforeSorting, 3);
}

TEST_F(NumberOperations, EachItemIsAllOrNothingWhicheverAllocationFails) {
    // The model's first 60 lines, numbers written every which way, repeats and lines that are no
    // number; every third of them to strike.
    const std::string all = readFile(folder.path() / "list.txt");
    std::string list, struck;
    std::size_t pos = 0;
    std::string_view line;
    for (int count = 0; count < 60 && nextLine(all, pos, line); ++count) {
        list.append(line).append("\r\n");
        if (count % 3 == 0) struck.append(line).append("\n");
    }
    select("short.txt", list);
    const std::string strikeBy = folder.write("struck.txt", struck);
    const std::pair<std::string, std::function<void()>> items[] = {
        {"Numbers Not Opened", [&] { core.OpenAsTelephoneNumbers("US", NumberFormat::E164); }},
        {"List Not Changed", [&] { core.RemoveDuplicateNumbers("US"); }},
        {"List Not Changed", [&] { core.StrikeNumbersListedIn(strikeBy, "US"); }},
        {"List Not Changed", [&] { core.KeepOnlyMobileNumbers("US"); }},
    };
    const auto setUp = [&] {
        core.OpenAsTelephoneNumbers("IL", NumberFormat::National);
        controls.log.clear();
    };
    for (const auto& [message, item] : items) {
        const std::string notChanged = message;  // a lambda takes no structured binding
        SCOPED_TRACE(notChanged);
        setUp();
        const Strings before = state();
        item();
        const Strings after = state();
        ASSERT_NE(after, before);
        const int failures = failEachAllocationInTurn(setUp, item, [&](bool failed) {
            // Done all the same (a failure the run could do without), or not begun; and no more
            // than one message, that nothing changed.
            const Strings now = state(), told = controls.messages();
            EXPECT_TRUE(now == before || now == after);
            EXPECT_TRUE(failed || now == after);
            EXPECT_LE(told.size(), now == after ? 0U : 1U);
            if (!told.empty()) {
                EXPECT_EQ(told[0], "Kelvane | OK | " + notChanged + "\nNot enough memory");
            }
        });
        EXPECT_GT(failures, 5);
    }
}

}  // namespace
}  // namespace kelvane::testing
