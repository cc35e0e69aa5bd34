// SPDX-License-Identifier: GPL-3.0-or-later
// Times the list operations on a generated file through controls without a window, and prints
// one line per operation: seconds and the process's peak memory so far.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "BenchControls.h"
#include "base/Lines.h"
#include "core/Form1Core.h"
#include "core/Module1.h"

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void timed(const char* name, const std::function<void()>& operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    std::printf("  %-18s %7.3f s   peak %6.1f MB\n", name, spent.count(), peakMegabytes());
}

// The Numbers items chained on a list of telephone numbers, as an operator runs them.
int benchNumbers(const std::string& region, const std::filesystem::path& list) {
    kelvane::bench::BenchControls controls;
    kelvane::Form1Core core(controls);
    core.selectFile(list.string());
    timed("open as numbers",
          [&] { core.OpenAsTelephoneNumbers(region, kelvane::NumberFormat::E164); });
    std::printf("  %s | %s\n", controls.caption.c_str(), controls.summary.c_str());
    timed("remove dup numbers", [&] { core.RemoveDuplicateNumbers(region); });
    std::printf("  %s | %s\n", controls.caption.c_str(), controls.summary.c_str());
    // A do-not-call list of every tenth number left.
    const std::filesystem::path struck = list.parent_path() / "bench-struck.txt";
    {
        std::string listed;
        std::size_t pos = 0, n = 0;
        for (std::string_view line; kelvane::nextLine(controls.list, pos, line); ++n)
            if (n % 10 == 0) listed.append(line).append("\r\n");
        core.SaveBytesAs(struck.string(), listed);
    }
    timed("strike listed", [&] { core.StrikeNumbersListedIn(struck.string(), region); });
    std::filesystem::remove(struck);
    timed("keep only mobiles", [&] { core.KeepOnlyMobileNumbers(region); });
    std::printf("  %s | %s\n", controls.caption.c_str(), controls.summary.c_str());
    return controls.failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--numbers")
        return benchNumbers(argv[2], std::filesystem::absolute(argv[3]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench-core LIST.txt | bench-core --numbers REGION LIST.txt\n");
        return 2;
    }
    const std::filesystem::path list = std::filesystem::absolute(argv[1]);
    kelvane::bench::BenchControls controls;
    controls.folder = list.parent_path().string();
    controls.selectedName = list.filename().string();
    controls.saveName = "bench-saved";

    kelvane::Form1Core core(controls);
    kelvane::Module1::gNextIndex = 1;
    core.selectFile(list.string());

    timed("load (Open)", [&] { core.LoadNumberFile(kelvane::LoadMode::Plain); });
    const std::string loaded = controls.caption;
    timed("load (live)", [&] { core.LoadNumberFile(kelvane::LoadMode::Live); });
    timed("remove duplicates", [&] { core.RemoveDuplicates(); });
    const std::string summary = controls.summary;
    timed("save", [&] { core.SaveList(); });
    std::printf("  %s | %s | %s\n", loaded.c_str(), summary.c_str(), controls.status.c_str());
    std::filesystem::remove(list.parent_path() / "bench-saved.txt");
    return controls.failed ? 1 : 0;
}
