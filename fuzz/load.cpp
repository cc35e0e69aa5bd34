// SPDX-License-Identifier: GPL-3.0-or-later
// Loading any file through the core and the fake controls, in both modes: the list holds exactly
// the lines up to the first one that is not a number, and a failure shows the load's message.
// The plain reader, given the same file, shows every line.
#include "FakeControls.h"
#include "FuzzCheck.h"
#include "LineModel.h"
#include "TestFiles.h"
#include "core/Form1Core.h"
#include "core/Module1.h"
#include "core/NumberRule.h"
#include "core/StatusText.h"

namespace {

using namespace kelvane;

const std::string kUntouchedCaption = "::: Halvorin:::";

void checkLoad(const std::string& path, const std::vector<std::string>& lines, LoadMode mode) {
    testing::FakeControls controls;
    Form1Core core(controls);
    controls.list = "left over\r\n";
    controls.formCaption = kUntouchedCaption;
    if (mode == LoadMode::Live) {
        core.setYieldInterval(std::chrono::nanoseconds(0));
        controls.folder = path.substr(0, path.rfind('/'));
        controls.selectedName = path.substr(path.rfind('/') + 1);
    } else {
        core.selectFile(path);
    }
    const std::int64_t countBefore = Module1::gNextIndex;
    core.LoadNumberFile(mode);

    std::size_t accepted = 0;
    while (accepted < lines.size() && isNumber(lines[accepted])) ++accepted;
    const std::vector<std::string> listed(lines.begin(), lines.begin() + accepted);
    FUZZ_REQUIRE(controls.list == testing::listTextOf(listed));
    FUZZ_REQUIRE(core.mLoadedCount == static_cast<std::int64_t>(accepted));
    FUZZ_REQUIRE(core.mFilePath == path);
    FUZZ_REQUIRE(!core.busy());

    if (accepted == lines.size()) {
        FUZZ_REQUIRE(controls.messages().empty());
        FUZZ_REQUIRE(controls.formCaption == "Total Numbers In File  " + std::to_string(accepted));
        FUZZ_REQUIRE(!controls.progressVisible);
        FUZZ_REQUIRE(Module1::gNextIndex - countBefore == static_cast<std::int64_t>(lines.size()));
        return;
    }
    FUZZ_REQUIRE(controls.messages() ==
                 std::vector<std::string>{"Kelvane | OK | Error In Selected File May Be There Is "
                                          "Text With Numbers Please Check"});
    FUZZ_REQUIRE(controls.status == StatusText::notANumber(accepted + 1, lines[accepted]));
    FUZZ_REQUIRE(controls.progressVisible);
    FUZZ_REQUIRE(controls.progressValue == accepted + 1);
    FUZZ_REQUIRE(Module1::gNextIndex - countBefore == static_cast<std::int64_t>(accepted + 1));
    const std::string liveCaption = accepted > 0 ? std::to_string(accepted) : kUntouchedCaption;
    FUZZ_REQUIRE(controls.formCaption ==
                 (mode == LoadMode::Live ? liveCaption : kUntouchedCaption));
}

void checkPlainReader(const std::string& path, const std::vector<std::string>& lines) {
    testing::FakeControls controls;
    Form1Core core(controls);
    controls.sideText = "before\r\n";
    core.selectFile(path);
    core.ReadPlainFile();
    FUZZ_REQUIRE(controls.messages().empty());
    FUZZ_REQUIRE(controls.sideText == "before\r\n" + testing::listTextOf(lines));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::TempFolder folder;
    const std::string_view file = fuzz::bytesOf(data, size);
    const std::string path = folder.write("list.txt", file);
    const std::vector<std::string> lines = testing::modelLines(file);
    checkLoad(path, lines, LoadMode::Plain);
    checkLoad(path, lines, LoadMode::Live);
    checkPlainReader(path, lines);
    return 0;
}
