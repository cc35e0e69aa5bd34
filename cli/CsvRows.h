// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/CsvReader.h"
#include "cli/ColumnOptions.h"
#include "cli/InputFile.h"
#include "cli/ListOutput.h"
#include "cli/Progress.h"

namespace kelvane::cli {

// The rows of a CSV file, a batch at a time (see LineRows for a list of one number a line): each
// row's value is the text of the chosen column (empty for an empty line), what is written back
// is the whole row, byte for byte with its own line end; the header row, when there is one, comes
// with the first batch. A malformed row, or one with too few fields for the column, throws
// (CommandError, CsvError) before any output file is replaced.
class CsvRows {
  public:
    static constexpr bool kKeepsEmpty = true;  // a contact without a number
    static constexpr std::string_view kOne = "row", kMany = "rows";

    CsvRows(const InputFile& input, const ColumnOptions& options, Progress& progress);

    bool next();
    std::span<const std::string_view> values() const { return values_; }
    std::span<const std::string_view> raws() const { return rowBytes_; }
    // The header row in the first batch, else empty.
    std::string_view header() const { return header_; }
    // The byte-order mark that began the file, when it has no header row, once next() read it.
    std::string_view byteOrderMark() const { return byteOrderMark_; }
    std::uint64_t lineNumber(std::size_t i) const { return rows_[first_ + i].line; }

    static void write(ListOutput& out, std::string_view bytes) { out.appendBytes(bytes); }
    // Row `i` with its field replaced by `number`, quoted only when it needs to be.
    template <typename Out>
    void writeNumber(Out& out, std::size_t i, std::string_view number) const {
        const std::string_view row = rowBytes_[i], field = fields_[i];
        const std::size_t start = static_cast<std::size_t>(field.data() - row.data());
        out.append(row.substr(0, start));
        if (number.find_first_of(std::string{delimiter_, '"', '\r', '\n'}) ==
            std::string_view::npos) {
            out.append(number);
        } else {
            out.append("\"");
            for (const char c : number) out.append(c == '"' ? "\"\"" : std::string_view(&c, 1));
            out.append("\"");
        }
        out.append(row.substr(start + field.size()));
    }

  private:
    std::size_t columnOf(const CsvRow& header);

    const ColumnOptions& options_;
    std::string name_;
    char delimiter_;
    CsvReader reader_;
    std::size_t column_ = 0;
    bool started_ = false;
    std::string_view header_, byteOrderMark_;
    std::vector<CsvRow> rows_;
    std::size_t first_ = 0;  // rows_[first_] is the first row after the header
    std::vector<std::string_view> values_, fields_, rowBytes_;
    std::string scratch_;
    std::deque<std::string> decoded_;  // texts of fields with doubled quotes; they do not move
};

}  // namespace kelvane::cli
