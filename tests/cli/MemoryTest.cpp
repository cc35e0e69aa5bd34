// SPDX-License-Identifier: GPL-3.0-or-later
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "CliRun.h"
#include "phone/PackedLineSet.h"
#include "phone/VerdictCache.h"

namespace kelvane::testing {
namespace {

// A cache of a few dozen records against the last verdict put for each key: what it finds is
// that verdict, and a verdict just put is found, whatever was written over before.
TEST(VerdictCache, FindsTheLastVerdictPutForAKeyOrNothing) {
    std::mt19937 random(18);
    const auto text = [&random](std::size_t most) {
        std::string bytes(random() % (most + 1), ' ');
        for (char& c : bytes) c = "\0\1\2\3\4\x08"[random() % 6];
        return bytes;
    };
    std::vector<std::string> keys(300);
    for (std::string& key : keys) key = text(random() % 10 == 0 ? 400 : 30);
    phone::VerdictCache cache(4096);
    std::map<std::string, std::tuple<bool, phone::NumberType, std::string>> last;
    int found = 0;
    for (int step = 0; step < 100000; ++step) {
        const std::string& key = keys[random() % keys.size()];
        if (random() % 2 == 0) {
            const std::string said = text(40);
            const phone::VerdictCache::Verdict verdict{random() % 2 == 0,
                                                       phone::NumberType(random() % 12), said};
            last[key] = {verdict.valid, verdict.type, said};
            const auto kept = cache.put(key, verdict);
            ASSERT_EQ(std::tie(kept.valid, kept.type, kept.text),
                      std::tie(verdict.valid, verdict.type, verdict.text));
            if (key.size() + said.size() > 200) continue;  // larger than a sixteenth of the ring
        }
        const auto kept = cache.find(key);
        if (!kept) continue;
        ++found;
        ASSERT_EQ(std::make_tuple(kept->valid, kept->type, std::string(kept->text)), last.at(key))
            << "step " << step;
    }
    EXPECT_GT(found, 50000);
}

TEST(PackedLineSet, KeepsEachLineOnceWhateverItsLength) {
    std::mt19937 random(1812);
    std::vector<std::string> lines = {"", std::string(3 << 20, 'x'), std::string(127, '1'),
                                      std::string(128, '1'), std::string(16383, '2')};
    for (int i = 0; i < 3000; ++i) lines.push_back(std::to_string(random() % 5000) + "\r\xFF");
    phone::PackedLineSet set;
    std::set<std::string> model;
    for (int step = 0; step < 20000; ++step) {
        const std::string& line = lines[random() % lines.size()];
        ASSERT_EQ(set.contains(line), model.contains(line));
        ASSERT_EQ(set.insert(line), model.insert(line).second);
    }
    EXPECT_EQ(set.size(), model.size());
}

class Memory : public CliTest {
  protected:
    void SetUp() override {
        if (KELVANE_SANITIZED) GTEST_SKIP() << "the sanitizers map terabytes: no limit fits";
    }

    // The least address space, to a MiB, in which kelvane-cli reads an empty list.
    rlim_t idleAddressSpace() const {
        rlim_t least = 1 << 20, most = rlim_t{4} << 30;
        while (most - least > (1 << 20)) {
            const rlim_t middle = (least + most) / 2;
            const bool ran =
                run({"normalize", "--region", "IL"}, "", RLIM_INFINITY, middle).exitCode == 0;
            (ran ? most : least) = middle;
        }
        return most;
    }
};

// Lines that would be remembered without end: 700,000 that are not UTF-8 (a short run: the
// library never sees them), and 400,000 distinct mobiles with 100,000 repeats written otherwise.
TEST_F(Memory, NormalizeAndDedupeRunInSixtyFourMiBAboveTheIdleProgram) {
    const rlim_t limit = idleAddressSpace() + (64 << 20);
    std::string notUtf8;
    for (int i = 0; i < 700000; ++i) notUtf8.append("\xFF").append(std::to_string(i)) += '\n';
    const CliResult normalized =
        run({"normalize", "--region", "IL"}, notUtf8, RLIM_INFINITY, limit);
    EXPECT_EQ(normalized.exitCode, 1);
    EXPECT_TRUE(normalized.err.ends_with("\n0 numbers written, 700000 lines not valid\n"));

    std::mt19937 random(64);
    std::string numbers, kept;
    for (int i = 0; i < 400000; ++i) {
        const std::string digits = std::to_string(1000000 + i * 19);
        numbers += "050" + digits + "\n";
        kept += "050" + digits + "\r\n";
        if (i % 4 == 3)
            numbers.append("+972 50-").append(std::to_string(1000000 + random() % i * 19)) += '\n';
    }
    const CliResult deduplicated = run({"dedupe", "--phone", "IL"}, numbers, RLIM_INFINITY, limit);
    EXPECT_EQ(deduplicated.err, "Duplicates Found   100000  Of Total:   500000\n");
    EXPECT_TRUE(deduplicated.out == kept);
}

// Report lines go out whole, even when the report is handed on part way, so the message comes
// on a line of its own after them.
TEST_F(Memory, OutOfMemoryIsOneLineAfterTheLastWholeReportLine) {
    std::string list;
    for (int i = 0; i < 30000; ++i) list += "x\n";
    list += std::string(24 << 20, '5');
    const CliResult result =
        run({"normalize", "--region", "IL"}, list, RLIM_INFINITY, idleAddressSpace() + (16 << 20));
    EXPECT_EQ(result.exitCode, 2);
    const std::string message = "kelvane-cli: not enough memory\n";
    ASSERT_TRUE(result.err.ends_with("\n" + message)) << result.err.substr(result.err.size() - 99);
    std::istringstream report(result.err.substr(0, result.err.size() - message.size()));
    int number = 0;
    for (std::string line; std::getline(report, line);) {
        ASSERT_EQ(line,
                  "<stdin>:" + std::to_string(++number) + ": not a valid number: x (not a number)");
    }
    EXPECT_GT(number, 10000) << "the report was handed on part way";
}

}  // namespace
}  // namespace kelvane::testing
