// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>
#include <thread>

#include "CliRun.h"
#include "base/Wording.h"
#include "phone/PhoneNumberReader.h"

namespace kelvane::testing {
namespace {

// Each file's lines are counted from 1; a report's text is cut to 60 characters, a control byte
// showing as its value; the total counts the numbers of every file.
TEST_F(CliTest, CheckReportsEveryLineThatIsNotANumberAndTotalsEveryFile) {
    const std::string list = folder_.write("list.txt",
                                           "\xEF\xBB\xBF"
                                           "447912345678\r\n050-1234567\n\n +1.5E3 \n\x01" +
                                               std::string(70, '7') + "\r\n12,345\n-7");
    const std::string empty = folder_.write("empty.txt", "");
    const CliResult result = run({"check", list, "-", empty, list}, "y\n2");
    EXPECT_EQ(result.exitCode, 1);
    const std::string reports = list + ":2: not a number: 050-1234567\n" + list +
                                ":3: not a number: \n" + list + ":5: not a number: \\x01" +
                                std::string(59, '7') + "...\n";
    EXPECT_EQ(result.out, reports + "<stdin>:1: not a number: y\n" + reports);
    EXPECT_EQ(result.err, "Total Numbers In File  9\n");
    EXPECT_EQ(run({"check"}, "z").out, "<stdin>:1: not a number: z\n");
    const CliResult pass = run({"check", folder_.write("numbers.txt", "1\r\n2\n3")});
    EXPECT_EQ(std::tuple(pass.exitCode, pass.out + pass.err),
              std::tuple(0, "Total Numbers In File  3\n"));
}

// One row a line, whose tab, CR and backslash are escaped so that it keeps its six columns; or
// counts by region and type, the largest first, each with a bar to the largest's scale.
TEST_F(CliTest, InfoWritesARowALineOrCountsByRegionAndTypeWithBars) {
    EXPECT_EQ(run({"info", "--region", "IL"}, "a\tb\\c\rd\n").out,
              "a\\tb\\\\c\\rd\tinvalid\t\t\t\t\n");
    const CliResult result = run({"info", "--region", "IL", "--summary"},
                                 "050-1234567\n052-7654321\n03-6123456\nhello\n050-1234567\n");
    const std::string third(14, '#');  // 40 characters * 1 / 3, rounded up
    EXPECT_EQ(result.out,
              "REGION  TYPE                      COUNT\n"
              "IL      mobile                        3  " +
                  std::string(40, '#') + "\n-       invalid                       1  " + third +
                  "\nIL      fixed-line                    1  " + third +
                  "\ntotal                                 5\n");
}

// A line that is not UTF-8 (a stray byte, a cut sequence, an overlong form, a surrogate, a value
// past U+10FFFF) is reported, and its numbers found; the last two lines are UTF-8.
TEST_F(CliTest, ExtractReadsPastBytesThatAreNotUtf8) {
    const std::string_view starts[] = {
        "caf\xE9",          "\x80",         "\xE2\x98",        "\xE0\x9F\xBF", "\xED\xA0\x80",
        "\xF4\x90\x80\x80", "\xED\x9F\xBF", "\xF0\x9F\x93\x9E"};
    std::string lines, found, reports;
    for (std::size_t i = 0; i < std::size(starts); ++i) {
        const std::string line = std::string(starts[i]) + " 050-1234567";
        const std::string number = std::to_string(i + 1);
        lines += line + "\n";
        found += "<stdin>:" + number + ": +972501234567\n";
        if (i < 6)
            reports += "<stdin>:" + number + ": read in part: " + excerpt(line) + " (not UTF-8)\n";
    }
    const CliResult result = run({"extract", "--region", "IL"}, lines);
    EXPECT_EQ(std::tuple(result.exitCode, result.out, result.err), std::tuple(0, found, reports));
}

// Without a header row, the file's byte-order mark goes with the first row written, to each
// output, whichever row that is; an except list larger than the list is read as a registry.
TEST_F(CliTest, WithoutAHeaderTheByteOrderMarkStartsEachOutput) {
    const std::string bom = "\xEF\xBB\xBF";
    folder_.write("in.csv", bom + "x,050-1234567\r\ny,03-6123456\r\n");
    folder_.write("except", "0501234567\n");
    folder_.write("registry", "0501234567\n" + std::string(100, '\n'));
    EXPECT_EQ(run({"normalize", "--region", "IL", "--type", "fixed-line", "--column", "2",
                   "--no-header", "in.csv"})
                  .out,
              bom + "y,+97236123456\r\n");
    for (const std::string except : {"except", "registry"}) {
        EXPECT_EQ(run({"dedupe", "--phone", "IL", "--column", "2", "--no-header", "--except",
                       except, "--removed", "removed.csv", "in.csv"})
                      .out,
                  bom + "y,03-6123456\r\n")
            << except;
        EXPECT_EQ(readFile(folder_.path() / "removed.csv"), bom + "x,050-1234567\r\n") << except;
    }
}

// Exit 2, nothing on standard output, and one line on standard error that names the problem.
void expectError(const CliResult& result, const std::string& words) {
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("kelvane-cli: ")) << result.err;
    EXPECT_NE(result.err.find(words), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(CliTest, BadOptionsArgumentsAndFilesAreRefusedBeforeAnyWork) {
    const std::string list = folder_.write("list.txt", "x\n");
    expectError(run({"dedupe", "--frobnicate", list}), "frobnicate");
    expectError(run({"dedupe", "-w", "2147483648", list}), "not a whole number");
    EXPECT_EQ(run({"dedupe", "-w", "2147483647", list}).exitCode, 0);  // the 32-bit range's top
    expectError(run({"dedupe", list, list}), "not expected");
    expectError(run({"sort", list}), "unknown command sort");
    expectError(run({}), "subcommand");
    expectError(run({"check", list, "missing.txt"}), "cannot open missing.txt: No such file");
    expectError(run({"check", "-", list, "-"}), "standard input can be read only once");
    expectError(run({"normalize", "--region", "IL", "--type", "mobil", list}), "type \"mobil\"");
    expectError(run({"dedupe", "--type", "mobile", list}), "--type needs --phone");
    expectError(run({"dedupe", "--no-header", list}), "--no-header needs --column");
    expectError(run({"dedupe", "--column", "phone", "--no-header", list}), "from 1, not phone");
    expectError(run({"dedupe", "--column", "0", "--no-header", list}), "from 1, not 0");
    expectError(run({"dedupe", "--column", "phone", list}), "no column phone in the header");
    expectError(run({"dedupe", "--column", "1", "--delimiter", "\"", list}), "cannot be a quote");
    expectError(run({"dedupe", "--column", "1", "--delimiter", "§", list}), "one byte, not §");
    expectError(run({"extract", "--leniency", "loose", list}),
                "\"loose\" is not one of possible, valid, strict, exact");
    expectError(run({"dedupe", "-o", ".", list}), "Is a directory");
    expectError(run({"dedupe", "-o", "no/such/folder.txt", list}),
                "cannot write no/such/folder.txt");
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        ::chmod(list.c_str(), 0);
        expectError(run({"dedupe", list}), "Permission denied");
    }
}

TEST_F(CliTest, PhoneCommandsNeedAKnownRegionAndEachExceptTakesOneList) {
    const std::string list = folder_.write("list.txt", "050-1234567\n");
    expectError(run({"normalize", "--region", "XY", list}), "unknown region XY");
    expectError(run({"dedupe", "--phone", "zz", list}), "unknown region zz");
    expectError(run({"dedupe", "--phone", "IL", "-w", "3", list}), "excludes");
    expectError(run({"dedupe", "--except", "missing.txt", list}), "cannot open missing.txt");
    expectError(run({"dedupe", "--phone", "IL", "--except", "-", "-"}, "050\n"),
                "standard input can be read only once");
    folder_.write("dnc", "0509999999\n");
    folder_.write("in", "+972501234567\n050-9999999\n052-1111111\n");
    EXPECT_EQ(run({"dedupe", "--phone", "IL", "--except", "list.txt", "--except", "dnc", "in"}).out,
              "052-1111111\r\n");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", "C.UTF-8", 1);
    expectError(run({"normalize", list}), "give --region");
    ::setenv("LANG", "he_IL.UTF-8", 1);
    EXPECT_EQ(run({"normalize", list}).out, "+972501234567\r\n");
}

// Standard output cannot be taken back, but its failure must be told; the input itself is
// replaced only once it is all read.
TEST_F(CliTest, AFailedStandardOutputIsToldAndTheInputIsReplacedOnceRead) {
    std::string big;
    for (int i = 0; i < 300000; ++i) big += std::to_string(447000000000LL + i) + "\n";
    const std::string list = folder_.write("list.txt", big);
    const CliResult result = run({"dedupe", list}, {}, 1 << 20);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.find("kelvane-cli: cannot write standard output"), 0u) << result.err;
    // Over a file with a second name the list is copied in place, once all the input is read:
    // each line grows by its CR, so an earlier write would overwrite lines not read yet.
    ::link(list.c_str(), (folder_.path() / "second.txt").c_str());
    EXPECT_EQ(run({"dedupe", list, "--output", list}).out, "");
    EXPECT_TRUE(readFile(folder_.path() / "second.txt") == run({"dedupe"}, big).out);
    EXPECT_EQ(snapshot(folder_.path()).size(), 2u);  // no temporary file is left behind
}

// A device or an open stream named as the output is written directly, by any user, though
// nobody but root may write a temporary file beside it; a stream where it stands.
TEST_F(CliTest, ADeviceOrStreamNamedAsTheOutputIsWrittenDirectlyByAnyUser) {
    std::filesystem::permissions(folder_.path(), std::filesystem::perms(0755));
    const auto asNobody = [](std::string_view before) {
        return [before] {
            return ::write(STDOUT_FILENO, before.data(), before.size()) ==
                       static_cast<ssize_t>(before.size()) &&
                   becomeOrdinaryUser();
        };
    };
    const CliResult nulled = runPrepared(asNobody(""), {"dedupe", "-o", "/dev/null"}, "9\n8\n9\n");
    EXPECT_EQ(std::tuple(nulled.exitCode, nulled.out, nulled.err),
              std::tuple(0, "", "Duplicates Found   1  Of Total:   3\n"));
    const CliResult streamed =
        runPrepared(asNobody("before\n"), {"dedupe", "-o", "/dev/stdout"}, "9\n8\n9\n");
    EXPECT_EQ(std::tuple(streamed.exitCode, streamed.out), std::tuple(0, "before\n9\r\n8\r\n"));
}

// A named pipe is read once its writer comes, as a shell pipeline expects, not taken for empty.
TEST_F(CliTest, ANamedPipeIsReadOnceItsWriterComes) {
    ASSERT_EQ(::mkfifo((folder_.path() / "pipe").c_str(), 0600), 0);
    std::thread writer([&] {
        ::usleep(500'000);  // the command waits by then; with nobody reading the open fails
        const int fd = ::open((folder_.path() / "pipe").c_str(), O_WRONLY | O_NONBLOCK);
        EXPECT_EQ(::write(fd, "050-1234567\n", 12), 12);
        ::close(fd);
    });
    EXPECT_EQ(run({"normalize", "--region", "IL", "pipe"}).out, "+972501234567\r\n");
    writer.join();
}

// A reader whose parser runs out of memory on one key.
struct FailingReader : phone::PhoneNumberReader {
    explicit FailingReader(std::string_view key)
        : PhoneNumberReader("IL", phone::NumberFormat::E164), failing(key) {}
    LoneVerdict judgeAlone(std::string_view key) const override {
        if (key == failing) throw std::bad_alloc();
        return PhoneNumberReader::judgeAlone(key);
    }
    std::string_view failing;
};

// Enough new numbers for every thread: a failure on the first key or the last, whichever thread
// judges it, reaches the caller.
TEST(PhoneNumberReader, AFailureOnEitherThreadReachesTheCallerAndTheReaderReadsOn) {
    std::vector<std::string> numbers;
    for (int i = 0; i < 600; ++i) numbers.push_back("0501" + std::to_string(100000 + i));
    const std::vector<std::string_view> lines(numbers.begin(), numbers.end());
    for (const std::string_view failing : {lines.front(), lines.back()}) {
        FailingReader reader(failing);
        EXPECT_THROW(reader.readAhead(lines), std::bad_alloc) << failing;
        EXPECT_EQ(reader.read(lines[1]).text, "+972501100001");
        EXPECT_THROW(reader.read(failing), std::bad_alloc);
    }
}

}  // namespace
}  // namespace kelvane::testing
