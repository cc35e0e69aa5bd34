// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InfoCommand.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "base/LineStream.h"
#include "cli/CommandError.h"
#include "cli/InputFile.h"
#include "cli/OutputBuffer.h"
#include "cli/Progress.h"
#include "cli/StandardStreams.h"
#include "phone/ListRules.h"
#include "phone/NumberText.h"
#include "phone/PhoneNumberReader.h"
#include "phone/Regions.h"

namespace kelvane::cli {
namespace {

constexpr std::size_t kBarWidth = 40;

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Counts by region and kind, the largest first, each with a bar as long as its share of the
// largest (at least one character).
std::string summaryTable(const std::map<std::pair<std::string, std::string>, std::uint64_t>& counts,
                         std::uint64_t lines) {
    std::vector<std::pair<std::pair<std::string, std::string>, std::uint64_t>> rows(counts.begin(),
                                                                                    counts.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    const std::uint64_t largest = rows.empty() ? 1 : rows.front().second;
    const auto countText = [](std::uint64_t count) {
        const std::string number = std::to_string(count);
        return std::string(9 - std::min<std::size_t>(number.size(), 9), ' ') + number;
    };
    std::string table = padded("REGION", 8) + padded("TYPE", 22) + "    COUNT\n";
    for (const auto& [key, count] : rows) {
        table += padded(key.first, 8) + padded(key.second, 22) + countText(count) + "  " +
                 std::string((count * kBarWidth + largest - 1) / largest, '#') + "\n";
    }
    return table + padded("total", 30) + countText(lines) + "\n";
}

// Appends `line` as a field of a tab-separated row: a tab, a CR and a backslash in it as "\t",
// "\r" and "\\", so that each row keeps its columns and reads back to the line.
void appendField(OutputBuffer& out, std::string_view line) {
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t special = std::min(line.find_first_of("\t\r\\", at), line.size());
        out.append(line.substr(at, special - at));
        if (special == line.size()) break;
        out.append(line[special] == '\t' ? "\\t" : line[special] == '\r' ? "\\r" : "\\\\");
        at = special + 1;
    }
}

}  // namespace

int runInfo(const InfoOptions& options) {
    InputFile input(options.input);
    const std::string region = phone::chooseRegion(options.region);
    const std::string language = phone::localeLanguage();
    phone::PhoneNumberReader reader(region, phone::NumberFormat::E164);
    reader.setThreads(options.threads);
    Progress progress("Describing " + input.name(), input.size());
    OutputBuffer out([&progress](std::string_view bytes) {
        progress.clear();
        writeToStandardOutput(bytes);
    });
    LineStream lines(input.fd(), input.name(), 1 << 20,
                     [&progress](std::uint64_t done) { progress.update(done); });
    std::map<std::pair<std::string, std::string>, std::uint64_t> counts;
    std::uint64_t total = 0;
    std::vector<std::string_view> batch;
    while (lines.nextLines(batch)) {
        phone::readBlock(reader, batch, [&](std::string_view line, const auto& verdict) {
            ++total;
            const phone::NumberInfo info =
                verdict.valid ? phone::describeNumber(line, region, language) : phone::NumberInfo{};
            const std::string type(info.valid ? phone::typeName(info.type) : "invalid");
            if (options.summary) {
                ++counts[{info.valid ? info.region : "-", type}];
                return;
            }
            appendField(out, line);
            out.append(info.valid ? "\tvalid\t" : "\tinvalid\t");
            if (info.valid)
                out.append(info.e164 + "\t" + info.region + "\t" + type + "\t" + info.place);
            else
                out.append("\t\t\t");
            out.append("\n");
        });
    }
    if (options.summary) out.append(summaryTable(counts, total));
    out.flush();
    return kExitOk;
}

}  // namespace kelvane::cli
