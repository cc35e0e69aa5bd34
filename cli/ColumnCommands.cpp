// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ColumnCommands.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "base/CsvReader.h"
#include "base/DuplicateFilter.h"
#include "base/Wording.h"
#include "cli/CommandError.h"
#include "cli/DedupeRun.h"
#include "cli/InputFile.h"
#include "cli/ListOutput.h"
#include "cli/NormalizeRun.h"
#include "cli/Progress.h"
#include "cli/RowFilter.h"
#include "phone/ListRules.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/TypeFilter.h"

namespace kelvane::cli {
namespace {

char delimiterOf(const ColumnOptions& options, std::string_view path) {
    const std::string& given = options.delimiter;
    if (given.empty()) return path.ends_with(".tsv") ? '\t' : ',';
    if (given == "\\t" || given == "tab") return '\t';
    if (given.size() != 1 || given == "\"" || given == "\r" || given == "\n")
        throw CommandError("the delimiter must be one character other than a quote or a line end");
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

// The rows of a CSV file a batch at a time, each with the text and the raw bytes of the chosen
// column.
class ColumnInput {
  public:
    ColumnInput(const InputFile& input, const ColumnOptions& options, Progress& progress)
        : reader_(input.fd(), input.name(), delimiterOf(options, input.name()), 1 << 20,
                  [&progress](std::uint64_t done) { progress.update(done); }),
          options_(options),
          name_(input.name()) {
        if (options.noHeader) {
            const std::optional<std::size_t> number = columnNumber(options.column);
            if (!number) {
                throw CommandError("without a header, the column is a number from 1, not " +
                                   options.column);
            }
            column_ = *number;
        }
    }

    // The next rows after the header; `header` is the header row in the first batch, else empty.
    bool next(std::string_view& header, std::span<const CsvRow>& rows) {
        header = {};
        if (!reader_.nextRows(rows_)) return false;
        std::size_t first = 0;
        if (!options_.noHeader && !headerSeen_) {
            headerSeen_ = true;
            header = rows_[0].bytes;
            column_ = columnOf(rows_[0]);
            first = 1;
        }
        rows = std::span<const CsvRow>(rows_).subspan(first);
        values_.clear();
        raws_.clear();
        decoded_.clear();
        for (const CsvRow& row : rows) {
            if (row.fieldCount == 0) {
                values_.emplace_back();
                raws_.emplace_back();
                continue;
            }
            if (row.fieldCount <= column_) {
                throw CommandError(
                    name_ + ":" + std::to_string(row.line) + ": " +
                    countText(static_cast<std::int64_t>(row.fieldCount), "field", "fields") +
                    ", too few for column " + options_.column);
            }
            const std::string_view raw = reader_.field(row, column_);
            std::string_view text = CsvReader::value(raw, scratch_);
            if (text.data() == scratch_.data()) text = decoded_.emplace_back(std::move(scratch_));
            values_.push_back(text);
            raws_.push_back(raw);
        }
        return true;
    }

    // The column's text in each row of the batch (empty for an empty line), and its raw bytes.
    const std::vector<std::string_view>& values() const { return values_; }
    const std::vector<std::string_view>& raws() const { return raws_; }
    char delimiter() const { return delimiter_; }

  private:
    std::size_t columnOf(const CsvRow& header) {
        std::string scratch;
        for (std::size_t i = 0; i < header.fieldCount; ++i) {
            if (CsvReader::value(reader_.field(header, i), scratch) == options_.column) return i;
        }
        if (const std::optional<std::size_t> number = columnNumber(options_.column)) return *number;
        throw CommandError("no column " + options_.column + " in the header of " + name_);
    }

    CsvReader reader_;
    const ColumnOptions& options_;
    std::string name_;
    char delimiter_ = delimiterOf(options_, name_);
    std::size_t column_ = 0;
    bool headerSeen_ = false;
    std::vector<CsvRow> rows_;
    std::vector<std::string_view> values_, raws_;
    std::string scratch_;
    std::deque<std::string> decoded_;  // texts of fields with doubled quotes; they do not move
};

// The row with the field `raw` replaced by `text`, quoted only when it needs to be.
void appendReplaced(ListOutput& out, const CsvRow& row, std::string_view raw, std::string_view text,
                    char delimiter) {
    const std::size_t start = static_cast<std::size_t>(raw.data() - row.bytes.data());
    out.appendBytes(row.bytes.substr(0, start));
    if (text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos) {
        out.appendBytes(text);
    } else {
        out.appendBytes("\"");
        for (const char c : text) out.appendBytes(c == '"' ? "\"\"" : std::string_view(&c, 1));
        out.appendBytes("\"");
    }
    out.appendBytes(row.bytes.substr(start + raw.size()));
}

}  // namespace

int runNormalizeColumn(const NormalizeOptions& options) {
    NormalizeRun run(options);
    ColumnInput rows(run.input, options.columns, run.progress);
    std::string_view header;
    std::span<const CsvRow> batch;
    while (rows.next(header, batch)) {
        if (!header.empty()) run.out.appendBytes(header);
        std::size_t i = 0;
        phone::readBlock(run.reader, rows.values(),
                         [&](std::string_view text, const auto& verdict) {
                             const CsvRow& row = batch[i];
                             const std::string_view raw = rows.raws()[i++];
                             if (verdict.valid && run.types.keeps(verdict.type)) {
                                 appendReplaced(run.out, row, raw, verdict.text, rows.delimiter());
                                 ++run.written;
                                 return;
                             }
                             run.reportNotWritten(row.line, text, verdict);
                             if (!verdict.valid && options.keepInvalid)
                                 run.out.appendBytes(row.bytes);
                         });
    }
    return run.finish("row", "rows");
}

namespace {

// dedupe's rule on the column when the except lists are registries (see DedupeRun::scrubs): the
// rows are judged and held first, then each registry is read once. As for rows sorted against
// except lists taken first, a number the registries hold is excepted whatever its kind.
DedupeTally scrubRows(DedupeRun& run, ColumnInput& rows) {
    phone::RegistryMatch match(run.region, run.options.threads);
    std::vector<phone::RegistryMatch::Entry> entries;
    std::vector<bool> otherKind;
    HeldLines held;
    std::string header;  // its view goes with the next batch
    std::string_view head;
    std::span<const CsvRow> batch;
    while (rows.next(head, batch)) {
        if (!head.empty()) header = head;
        run.reader->readAhead(rows.values());
        for (std::size_t i = 0; i < batch.size(); ++i) {
            held.append(batch[i].bytes);
            const std::string_view value = rows.values()[i];
            if (value.empty()) {  // a contact without a number is nobody's duplicate
                entries.push_back(kAlwaysKept);
                otherKind.push_back(false);
                continue;
            }
            const phone::NumberVerdict& verdict = run.reader->read(value);
            entries.push_back(verdict.valid ? match.enterNumber(phone::numberKey(verdict.text))
                                            : match.enterText(value));
            otherKind.push_back(verdict.valid && !run.types.keeps(verdict.type));
        }
    }
    run.scanRegistries(match);
    run.kept->appendBytes(header);
    if (run.removed) run.removed->appendBytes(header);
    return sortHeld(
        held, entries, match, [&](std::size_t i) { return otherKind[i]; },
        [&](std::string_view row) { run.kept->appendBytes(row); },
        [&](std::string_view row) {
            if (run.removed) run.removed->appendBytes(row);
        });
}

}  // namespace

int runDedupeColumn(const DedupeOptions& options) {
    DedupeRun run(options);
    ColumnInput rows(run.input, options.columns, run.progress);
    phone::PhoneNumberReader* reader = run.reader ? &*run.reader : nullptr;
    DedupeTally tally;
    const auto sort = [&](auto& filter, auto& exceptedFilter) {
        run.takeExceptLists(exceptedFilter);  // the except lists stay one number a line
        RowFilter sorting(filter, reader, run.types, true);
        const RowFilter exceptedRows(exceptedFilter, nullptr, run.types, true);
        std::string_view header;
        std::span<const CsvRow> batch;
        while (rows.next(header, batch)) {
            if (!header.empty()) {
                run.kept->appendBytes(header);
                if (run.removed) run.removed->appendBytes(header);
            }
            tally.lines += batch.size();
            std::size_t i = 0;
            tally.excepted += phone::sortBlock(
                std::span<const std::string_view>(rows.values()), sorting,
                options.exceptLists.empty() ? nullptr : &exceptedRows,
                [&](std::string_view) { run.kept->appendBytes(batch[i++].bytes); },
                [&](std::string_view) {
                    const std::string_view bytes = batch[i++].bytes;
                    if (run.removed) run.removed->appendBytes(bytes);
                });
        }
        tally.kept = sorting.keptCount();
        tally.empty = sorting.emptyCount();
        tally.otherTypes = sorting.otherTypeCount();
    };
    if (run.scrubs()) {
        tally = scrubRows(run, rows);
    } else if (reader) {
        phone::PhoneDuplicateFilter filter(*reader), exceptedFilter(*reader);
        sort(filter, exceptedFilter);
    } else {
        DuplicateFilter filter(options.width, LineSet::Storage::Copied);
        DuplicateFilter exceptedFilter(options.width, LineSet::Storage::Copied);
        sort(filter, exceptedFilter);
    }
    run.finish(tally, true);
    return kExitOk;
}

}  // namespace kelvane::cli
