// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ColumnCommands.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "base/CsvReader.h"
#include "base/DuplicateFilter.h"
#include "base/Lines.h"
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
        if (!started_ && options_.noHeader) {
            // Without a header row to carry it, the mark goes to whichever row is written first.
            if (byteOrderMarkLength(rows_[0].bytes) > 0) byteOrderMark_ = kUtf8ByteOrderMark;
            rows_[0].bytes.remove_prefix(byteOrderMark_.size());
        } else if (!started_) {
            header = rows_[0].bytes;
            column_ = columnOf(rows_[0]);
            first = 1;
        }
        started_ = true;
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
    // The byte-order mark that began the file, when it has no header row, once next() read it.
    std::string_view byteOrderMark() const { return byteOrderMark_; }

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
    bool started_ = false;
    std::string_view byteOrderMark_;
    std::vector<CsvRow> rows_;
    std::vector<std::string_view> values_, raws_;
    std::string scratch_;
    std::deque<std::string> decoded_;  // texts of fields with doubled quotes; they do not move
};

// The rows written to one output (none when it is null): the first starts with the input's
// byte-order mark, when no header row carried it.
class RowOutput {
  public:
    RowOutput(ListOutput* out, const ColumnInput& input) : out_(out), input_(input) {}

    void append(std::string_view bytes) {
        if (!out_) return;
        if (!started_ && !input_.byteOrderMark().empty()) out_->appendBytes(input_.byteOrderMark());
        started_ = true;
        out_->appendBytes(bytes);
    }

  private:
    ListOutput* out_;
    const ColumnInput& input_;
    bool started_ = false;
};

// The row with the field `raw` replaced by `text`, quoted only when it needs to be.
void appendReplaced(RowOutput& out, const CsvRow& row, std::string_view raw, std::string_view text,
                    char delimiter) {
    const std::size_t start = static_cast<std::size_t>(raw.data() - row.bytes.data());
    out.append(row.bytes.substr(0, start));
    if (text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos) {
        out.append(text);
    } else {
        out.append("\"");
        for (const char c : text) out.append(c == '"' ? "\"\"" : std::string_view(&c, 1));
        out.append("\"");
    }
    out.append(row.bytes.substr(start + raw.size()));
}

}  // namespace

int runNormalizeColumn(const NormalizeOptions& options) {
    NormalizeRun run(options);
    ColumnInput rows(run.input, options.columns, run.progress);
    RowOutput out(&run.out, rows);
    std::string_view header;
    std::span<const CsvRow> batch;
    while (rows.next(header, batch)) {
        if (!header.empty()) out.append(header);
        std::size_t i = 0;
        phone::readBlock(run.reader, rows.values(),
                         [&](std::string_view text, const auto& verdict) {
                             const CsvRow& row = batch[i];
                             const std::string_view raw = rows.raws()[i++];
                             if (verdict.valid && run.types.keeps(verdict.type)) {
                                 appendReplaced(out, row, raw, verdict.text, rows.delimiter());
                                 ++run.written;
                                 return;
                             }
                             run.reportNotWritten(row.line, text, verdict);
                             if (!verdict.valid && options.keepInvalid) out.append(row.bytes);
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
    RowOutput kept(&*run.kept, rows), removed(run.removed.get(), rows);
    if (!header.empty()) {
        kept.append(header);
        removed.append(header);
    }
    return sortHeld(
        held, entries, match, [&](std::size_t i) { return otherKind[i]; },
        [&](std::string_view row) { kept.append(row); },
        [&](std::string_view row) { removed.append(row); });
}

}  // namespace

int runDedupeColumn(const DedupeOptions& options) {
    DedupeRun run(options);
    ColumnInput rows(run.input, options.columns, run.progress);
    RowOutput kept(&*run.kept, rows), removed(run.removed.get(), rows);
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
                kept.append(header);
                removed.append(header);
            }
            tally.lines += batch.size();
            std::size_t i = 0;
            tally.excepted += phone::sortBlock(
                std::span<const std::string_view>(rows.values()), sorting,
                options.exceptLists.empty() ? nullptr : &exceptedRows,
                [&](std::string_view) { kept.append(batch[i++].bytes); },
                [&](std::string_view) { removed.append(batch[i++].bytes); });
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
