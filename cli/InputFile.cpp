// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InputFile.h"

#include "base/FileError.h"
#include "cli/CommandError.h"

namespace kelvane::cli {

InputFile::InputFile(const std::string& path) : name_(path == "-" ? "<stdin>" : path) {
    try {
        if (path == "-") {
            size_ = readableSize(STDIN_FILENO);
        } else {
            file_.emplace(path, PipeOpening::WaitForWriter);
            size_ = file_->size();
        }
    } catch (const FileError& error) {
        throw fileFailure("open", name_, error.what());
    }
}

}  // namespace kelvane::cli
