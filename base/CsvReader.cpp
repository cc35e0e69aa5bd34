// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CsvReader.h"

#include <cstring>
#include <utility>

#include "base/Lines.h"

namespace kelvane {
namespace {

constexpr std::size_t kBatchRows = 4096;

// Line ends in `text` as Python counts them; a CR at its very end counts, as the byte after it
// is a quote.
std::uint64_t breaksIn(std::string_view text) {
    std::uint64_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++breaks;
    }
    return breaks;
}

}  // namespace

CsvReader::CsvReader(int fd, std::string name, char delimiter, std::size_t blockSize,
                     BlockRead onBlock)
    : buffer_(fd, std::move(name), blockSize, std::move(onBlock)), delimiter_(delimiter) {
    special_[static_cast<unsigned char>(delimiter)] = true;
    special_[static_cast<unsigned char>('\n')] = special_[static_cast<unsigned char>('\r')] = true;
}

std::string_view CsvReader::value(std::string_view raw, std::string& scratch) {
    if (raw.empty() || raw.front() != '"') return raw;
    const std::string_view inner = raw.substr(1, raw.size() - 2);
    if (inner.find('"') == std::string_view::npos) return inner;
    scratch.clear();
    for (std::size_t i = 0; i < inner.size(); ++i) {
        scratch += inner[i];
        if (inner[i] == '"') ++i;  // the second of a doubled quote
    }
    return scratch;
}

bool CsvReader::nextRows(std::vector<CsvRow>& rows) {
    rows.clear();
    fields_.clear();
    while (!started_) {
        refill();
        if (buffer_.size() >= kUtf8ByteOrderMark.size() || buffer_.atEnd()) {
            started_ = true;
            skip_ = byteOrderMarkLength(std::string_view(buffer_.data(), buffer_.size()));
        }
    }
    while (rows.size() < kBatchRows) {
        if (pos_ + skip_ == buffer_.size() && buffer_.atEnd())
            break;  // a byte-order mark alone is no row
        CsvRow row;
        const std::size_t fieldsBefore = fields_.size();
        if (parseRow(row) == Parse::Complete) {
            rows.push_back(row);
            continue;
        }
        fields_.resize(fieldsBefore);
        if (!rows.empty()) break;  // the rows handed out keep their bytes until the next call
        refill();
    }
    return !rows.empty();
}

CsvReader::Parse CsvReader::parseRow(CsvRow& row) {
    const char* data = buffer_.data();
    const std::size_t end = buffer_.size();
    const bool atEnd = buffer_.atEnd();
    const std::size_t start = pos_;
    std::size_t p = pos_ + skip_;
    if (p == end) return Parse::NeedMore;
    std::uint64_t breaks = 0;
    row.line = line_;
    row.firstField = fields_.size();
    if (data[p] != '\n' && data[p] != '\r') {
        for (;;) {
            const std::size_t fieldStart = p;
            if (p < end && data[p] == '"') {
                for (++p;;) {
                    const void* quote = std::memchr(data + p, '"', end - p);
                    if (!quote) {
                        if (atEnd) fail(row.line, "a quote that never closes");
                        return Parse::NeedMore;
                    }
                    const std::size_t at = static_cast<const char*>(quote) - data;
                    breaks += breaksIn(std::string_view(data + p, at - p));
                    p = at + 1;
                    if (p == end && !atEnd) return Parse::NeedMore;
                    if (p == end || data[p] != '"') break;
                    ++p;  // a doubled quote
                }
                if (p < end && !special_[static_cast<unsigned char>(data[p])]) {
                    fail(row.line + breaks, "text after the closing quote of a quoted field");
                }
            } else {
                while (p < end && !special_[static_cast<unsigned char>(data[p])]) ++p;
                if (p == end && !atEnd) return Parse::NeedMore;
            }
            fields_.emplace_back(data + fieldStart, p - fieldStart);
            if (p == end || data[p] != delimiter_) break;
            ++p;
        }
    }
    if (p < end) {
        if (data[p] == '\r' && p + 1 == end && !atEnd) return Parse::NeedMore;
        p += data[p] == '\r' && p + 1 < end && data[p + 1] == '\n' ? 2 : 1;
        ++breaks;
    }
    row.fieldCount = fields_.size() - row.firstField;
    row.bytes = std::string_view(data + start, p - start);
    pos_ = p;
    skip_ = 0;
    line_ += breaks;
    return Parse::Complete;
}

void CsvReader::refill() {
    buffer_.dropFront(pos_);
    pos_ = 0;
    buffer_.readMore(1);  // a row longer than the room doubles it
}

void CsvReader::fail(std::uint64_t line, std::string_view what) const {
    throw CsvError(buffer_.name() + ":" + std::to_string(line) + ": " + std::string(what));
}

}  // namespace kelvane
