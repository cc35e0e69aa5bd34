// SPDX-License-Identifier: GPL-3.0-or-later
// Duplicate removal through the core and the fake controls, against the literal model of the
// rule. The input's first line is the width the operator typed; the rest is the file.
#include <limits>
#include <optional>
#include <regex>

#include "DuplicateModel.h"
#include "FakeControls.h"
#include "FuzzCheck.h"
#include "LineModel.h"
#include "TestFiles.h"
#include "core/Form1Core.h"
#include "core/Messages.h"

namespace {

using namespace kelvane;

// The width rule literally: blanks around, one sign, digits; not negative, within 32 bits.
std::optional<std::size_t> modelWidth(const std::string& text) {
    static const std::regex width(R"(^[ \t]*([+-]?)0*(\d*)[ \t]*$)");
    std::smatch match;
    if (!std::regex_match(text, match, width)) return std::nullopt;
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    const std::string digits = match[2];
    if (digits.size() > 10 || std::stoll("0" + digits) > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    const std::size_t value = std::stoull("0" + digits);
    if (match[1] == "-" && value != 0) return std::nullopt;
    return value;
}

struct Run {
    testing::FakeControls controls;
    Form1Core core{controls};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::TempFolder folder;
    const std::string_view input = fuzz::bytesOf(data, size);
    const std::size_t newline = std::min(input.find('\n'), input.size());
    const std::string widthText(input.substr(0, newline));
    const std::string_view file = input.substr(std::min(newline + 1, input.size()));
    const std::string path = folder.write("list.txt", file);
    const std::vector<std::string> lines = testing::modelLines(file);
    const std::string lineCountText = lines.empty() ? "" : std::to_string(lines.size());
    const std::optional<std::size_t> width = modelWidth(widthText);

    // Once yielding at every line, once at the usual pace: the outcome is the same.
    for (const auto interval :
         {std::chrono::nanoseconds(0), std::chrono::nanoseconds(15'000'000)}) {
        Run run;
        testing::FakeControls& controls = run.controls;
        run.core.setYieldInterval(interval);
        run.core.selectFile(path);
        controls.width = widthText;
        run.core.RemoveDuplicates();

        if (widthText.empty()) {
            FUZZ_REQUIRE(
                controls.messages() ==
                std::vector<std::string>{"Kelvane | OK | Insert The Length Of Each Line In File"});
            FUZZ_REQUIRE(controls.width == "12");
            FUZZ_REQUIRE(controls.list.empty());
            FUZZ_REQUIRE(controls.summaryCaption == "NON");
            continue;
        }
        if (!width) {
            FUZZ_REQUIRE(controls.messages() ==
                         std::vector<std::string>{"Kelvane | OK | No File Selected"});
            FUZZ_REQUIRE(controls.status.starts_with("The length \""));
            FUZZ_REQUIRE(controls.formCaption == lineCountText);
            FUZZ_REQUIRE(controls.list.empty());
            FUZZ_REQUIRE(controls.summaryCaption == "NON");
            FUZZ_REQUIRE(controls.progressVisible);
            continue;
        }
        const testing::DuplicateModel model(lines, *width);
        FUZZ_REQUIRE(controls.messages().empty());
        FUZZ_REQUIRE(controls.list == testing::listTextOf(model.kept));
        FUZZ_REQUIRE(controls.summaryCaption == "Duplicates Found   " +
                                                    std::to_string(model.duplicates) +
                                                    "  Of Total:   " + lineCountText);
        FUZZ_REQUIRE(controls.formCaption ==
                     (lines.empty() ? "" : std::to_string(model.kept.size())));
        FUZZ_REQUIRE(controls.progressValue == model.kept.size());
        FUZZ_REQUIRE(!controls.progressVisible);
        FUZZ_REQUIRE(!run.core.busy());
    }
    return 0;
}
