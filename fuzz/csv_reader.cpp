// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader against a literal model of Python's csv reader (Modules/_csv.c, strict=True,
// fed the lines of a file opened with newline=''), on any bytes read in any block size: the same
// rows and fields, each row starting on the same line, the rows' bytes adding up to the input,
// and the same error on the same line. The first byte picks the block size and the delimiter.
#include <sys/mman.h>
#include <unistd.h>

#include <optional>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "base/CsvReader.h"

namespace {

struct ModelRow {
    std::vector<std::string> fields;
    std::uint64_t line = 0;
};

struct Model {
    std::vector<ModelRow> rows;
    std::optional<std::string> error;  // "LINE: what", as the reader words it
};

Model pythonCsv(std::string_view text, char delimiter) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // utf-8-sig
    // The lines of a file opened with newline='': each ends after LF, CR LF or a lone CR.
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        end = end == std::string_view::npos                                         ? text.size()
              : text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2
                                                                                    : end + 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    enum { StartRecord, StartField, InField, InQuoted, QuoteInQuoted, EatCrNl } state = StartRecord;
    constexpr int kEol = -2;
    Model model;
    std::string field;
    ModelRow row;
    std::size_t lineNum = 0;
    const auto save = [&] { row.fields.push_back(std::exchange(field, {})); };
    // False on an error.
    const auto process = [&](int c) {
        const bool lineEnd = c == '\n' || c == '\r';
        switch (state) {
            case StartRecord:
                if (c == kEol) return true;
                if (lineEnd) {
                    state = EatCrNl;
                    return true;
                }
                state = StartField;
                [[fallthrough]];
            case StartField:
                if (lineEnd || c == kEol) {
                    save();
                    state = c == kEol ? StartRecord : EatCrNl;
                } else if (c == '"') {
                    state = InQuoted;
                } else if (c == delimiter) {
                    save();
                } else {
                    field += static_cast<char>(c);
                    state = InField;
                }
                return true;
            case InField:
                if (lineEnd || c == kEol) {
                    save();
                    state = c == kEol ? StartRecord : EatCrNl;
                } else if (c == delimiter) {
                    save();
                    state = StartField;
                } else {
                    field += static_cast<char>(c);
                }
                return true;
            case InQuoted:
                if (c == '"')
                    state = QuoteInQuoted;
                else if (c != kEol)
                    field += static_cast<char>(c);
                return true;
            case QuoteInQuoted:
                if (c == '"') {
                    field += '"';
                    state = InQuoted;
                } else if (c == delimiter) {
                    save();
                    state = StartField;
                } else if (lineEnd || c == kEol) {
                    save();
                    state = c == kEol ? StartRecord : EatCrNl;
                } else {
                    model.error = std::to_string(lineNum) +
                                  ": text after the closing quote of a quoted field";
                    return false;
                }
                return true;
            case EatCrNl:
                if (c == kEol) state = StartRecord;
                return lineEnd || c == kEol;
        }
        return false;
    };
    for (std::size_t next = 0; next < lines.size();) {
        row = ModelRow{{}, lineNum + 1};
        do {
            if (next == lines.size()) {
                model.error = std::to_string(row.line) + ": a quote that never closes";
                return model;
            }
            ++lineNum;
            for (const char c : lines[next]) {
                if (!process(static_cast<unsigned char>(c))) return model;
            }
            ++next;
            if (!process(kEol)) return model;
        } while (state != StartRecord);
        model.rows.push_back(std::move(row));
    }
    return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text = kelvane::fuzz::bytesOf(data + 1, size - 1);
    const char delimiter = ",;\t "[data[0] % 4];
    const Model model = pythonCsv(text, delimiter);

    const int fd = ::memfd_create("csv", MFD_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    FUZZ_REQUIRE(::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
    FUZZ_REQUIRE(::lseek(fd, 0, SEEK_SET) == 0);
    kelvane::CsvReader reader(fd, "<memfd>", delimiter, 16 + data[0] / 4 % 48);
    std::vector<kelvane::CsvRow> rows;
    std::size_t seen = 0;
    std::string bytes, scratch;
    std::optional<std::string> error;
    try {
        while (reader.nextRows(rows)) {
            for (const kelvane::CsvRow& row : rows) {
                FUZZ_REQUIRE(seen < model.rows.size());
                const ModelRow& expected = model.rows[seen++];
                FUZZ_REQUIRE(row.line == expected.line);
                FUZZ_REQUIRE(row.fieldCount == expected.fields.size());
                for (std::size_t i = 0; i < row.fieldCount; ++i) {
                    FUZZ_REQUIRE(kelvane::CsvReader::value(reader.field(row, i), scratch) ==
                                 expected.fields[i]);
                }
                bytes += row.bytes;
            }
        }
    } catch (const kelvane::CsvError& thrown) {
        error = std::string(thrown.what()).substr(std::string_view("<memfd>:").size());
    }
    ::close(fd);
    FUZZ_REQUIRE(error == model.error);
    // The rows read before an error in the same batch are never handed out.
    FUZZ_REQUIRE(error ? seen <= model.rows.size() : seen == model.rows.size());
    // A byte-order mark alone is no row.
    if (!error) FUZZ_REQUIRE(bytes == text || (bytes.empty() && text == "\xEF\xBB\xBF"));
    return 0;
}
