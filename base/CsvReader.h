// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/BlockBuffer.h"

namespace kelvane {

// A row that is not CSV; what() is "NAME:LINE: what".
struct CsvError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One row of a CSV file.
struct CsvRow {
    std::string_view bytes;      // the row as read, with its line end if it has one
    std::uint64_t line = 0;      // the line it starts on, from 1
    std::size_t firstField = 0;  // into CsvReader::fields()
    std::size_t fieldCount = 0;  // 0 for an empty line
};

// Reads RFC 4180 rows (quoted fields, doubled quotes, delimiters and line breaks inside quotes;
// LF, CR LF or a lone CR ending a row) from a file descriptor in large blocks, and gives each row's
// bytes and each field's raw bytes, quotes included, so that a row can be written back byte for
// byte with one field replaced. Debian's CSV libraries give decoded values only (libcsv,
// fast-cpp-csv-parser), which loses the row's exact bytes, hence this small reader.
//
// Rows are judged as Python's csv module judges them with strict=True: a quote that never closes
// and anything but a delimiter or a line end after a closing quote are errors; a quote inside an
// unquoted field is an ordinary character; an empty line is a row without fields. A UTF-8
// byte-order mark at the very start belongs to the first row's bytes, not to its first field.
// Lines are counted as Python counts them: LF, CR LF and a lone CR each end one.
//
// Memory stays at about one block plus the longest row.
class CsvReader {
  public:
    using BlockRead = BlockBuffer::BlockRead;

    CsvReader(int fd, std::string name, char delimiter, std::size_t blockSize = 1 << 20,
              BlockRead onBlock = {});

    // Replaces `rows` with the next few thousand rows (at least one); their views, and fields(),
    // stay valid until the following call. False at the end. Throws CsvError, as
    // "NAME:LINE: what", on a malformed row, and ReadFailure on a failed read.
    bool nextRows(std::vector<CsvRow>& rows);

    // The raw field `index` of `row` (index < row.fieldCount).
    std::string_view field(const CsvRow& row, std::size_t index) const {
        return fields_[row.firstField + index];
    }

    // A raw field's text: a quoted field without its quotes and with doubled quotes made single
    // (written to `scratch` when it has any).
    static std::string_view value(std::string_view raw, std::string& scratch);

  private:
    enum class Parse { Complete, NeedMore };
    Parse parseRow(CsvRow& row);
    void refill();
    [[noreturn]] void fail(std::uint64_t line, std::string_view what) const;

    BlockBuffer buffer_;
    char delimiter_;
    bool special_[256] = {};  // ends an unquoted field

    std::size_t pos_ = 0;   // the next row starts here
    std::size_t skip_ = 0;  // a byte-order mark before the first field
    std::uint64_t line_ = 1;
    bool started_ = false;
    std::vector<std::string_view> fields_;
};

}  // namespace kelvane
