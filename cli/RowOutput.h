// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "cli/ListOutput.h"

namespace kelvane::cli {

// The rows written to one output (none when it is null), as `Rows` (LineRows, CsvRows) writes
// them: the first starts with the input's byte-order mark, when no header row carried it.
template <typename Rows>
class RowOutput {
  public:
    RowOutput(ListOutput* out, const Rows& rows) : out_(out), rows_(rows) {}

    // A row's raw bytes, or for a CSV row a part of them.
    void append(std::string_view raw) {
        if (!out_) return;
        if (!started_ && !rows_.byteOrderMark().empty()) out_->appendBytes(rows_.byteOrderMark());
        started_ = true;
        rows_.write(*out_, raw);
    }

  private:
    ListOutput* out_;
    const Rows& rows_;
    bool started_ = false;
};

}  // namespace kelvane::cli
