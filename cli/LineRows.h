// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/LineStream.h"
#include "cli/InputFile.h"
#include "cli/ListOutput.h"
#include "cli/Progress.h"

namespace kelvane::cli {

// A list of one number a line as rows (see CsvRows for the other kind): each line is both the
// text judged and what is written back, with CR LF.
class LineRows {
  public:
    static constexpr bool kKeepsEmpty = false;  // an empty line is compared like any other
    static constexpr std::string_view kOne = "line", kMany = "lines";

    LineRows(const InputFile& input, Progress& progress)
        : lines_(input.fd(), input.name(), 1 << 20,
                 [&progress](std::uint64_t done) { progress.update(done); }) {}

    bool next() {
        firstLine_ += batch_.size();
        return lines_.nextLines(batch_);
    }
    std::span<const std::string_view> values() const { return batch_; }
    std::span<const std::string_view> raws() const { return batch_; }
    std::string_view header() const { return {}; }
    std::string_view byteOrderMark() const { return {}; }
    std::uint64_t lineNumber(std::size_t i) const { return firstLine_ + i + 1; }

    static void write(ListOutput& out, std::string_view raw) { out.appendLine(raw); }
    template <typename Out>
    void writeNumber(Out& out, std::size_t, std::string_view number) const {
        out.append(number);
    }

  private:
    LineStream lines_;
    std::vector<std::string_view> batch_;
    std::uint64_t firstLine_ = 0;
};

}  // namespace kelvane::cli
