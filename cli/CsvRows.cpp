// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CsvRows.h"

#include <optional>

#include "base/Lines.h"
#include "base/Wording.h"
#include "cli/CommandError.h"

namespace kelvane::cli {
namespace {

char delimiterOf(const ColumnOptions& options, std::string_view path) {
    const std::string& given = options.delimiter;
    if (given.empty()) return path.ends_with(".tsv") ? '\t' : ',';
    if (given == "\\t" || given == "tab") return '\t';
    if (given.size() != 1) {
        throw CommandError("the delimiter must be one byte, not " + given + " (" +
                           countText(static_cast<std::int64_t>(given.size()), "byte", "bytes") +
                           ")");
    }
    if (given == "\"" || given == "\r" || given == "\n")
        throw CommandError("the delimiter cannot be a quote or a line end");
    return given[0];
}

// The number of a column counted from 1, or nothing.
std::optional<std::size_t> columnNumber(std::string_view text) {
    std::size_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || number > 1'000'000) return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    if (text.empty() || number == 0) return std::nullopt;
    return number - 1;
}

}  // namespace

CsvRows::CsvRows(const InputFile& input, const ColumnOptions& options, Progress& progress)
    : options_(options),
      name_(input.name()),
      delimiter_(delimiterOf(options, name_)),
      reader_(input.fd(), input.name(), delimiter_, 1 << 20,
              [&progress](std::uint64_t done) { progress.update(done); }) {
    if (options.noHeader) {
        const std::optional<std::size_t> number = columnNumber(options.column);
        if (!number) {
            throw CommandError("without a header, the column is a number from 1, not " +
                               options.column);
        }
        column_ = *number;
    }
}

bool CsvRows::next() {
    header_ = {};
    if (!reader_.nextRows(rows_)) return false;
    first_ = 0;
    if (!started_ && options_.noHeader) {
        // Without a header row to carry it, the mark goes to whichever row is written first.
        if (byteOrderMarkLength(rows_[0].bytes) > 0) byteOrderMark_ = kUtf8ByteOrderMark;
        rows_[0].bytes.remove_prefix(byteOrderMark_.size());
    } else if (!started_) {
        header_ = rows_[0].bytes;
        column_ = columnOf(rows_[0]);
        first_ = 1;
    }
    started_ = true;
    values_.clear();
    fields_.clear();
    rowBytes_.clear();
    decoded_.clear();
    for (std::size_t r = first_; r < rows_.size(); ++r) {
        const CsvRow& row = rows_[r];
        rowBytes_.push_back(row.bytes);
        if (row.fieldCount == 0) {
            values_.emplace_back();
            fields_.emplace_back();
            continue;
        }
        if (row.fieldCount <= column_) {
            throw CommandError(
                name_ + ":" + std::to_string(row.line) + ": " +
                countText(static_cast<std::int64_t>(row.fieldCount), "field", "fields") +
                ", too few for column " + options_.column);
        }
        const std::string_view field = reader_.field(row, column_);
        std::string_view text = CsvReader::value(field, scratch_);
        if (text.data() == scratch_.data()) text = decoded_.emplace_back(std::move(scratch_));
        values_.push_back(text);
        fields_.push_back(field);
    }
    return true;
}

std::size_t CsvRows::columnOf(const CsvRow& header) {
    std::string scratch;
    for (std::size_t i = 0; i < header.fieldCount; ++i) {
        if (CsvReader::value(reader_.field(header, i), scratch) == options_.column) return i;
    }
    if (const std::optional<std::size_t> number = columnNumber(options_.column)) return *number;
    throw CommandError("no column " + options_.column + " in the header of " + name_);
}

}  // namespace kelvane::cli
