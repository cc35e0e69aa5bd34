// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/PosixIo.h"
#include "base/TextFile.h"
#include "cli/CommandError.h"
#include "cli/Progress.h"
#include "cli/StandardStreams.h"

namespace kelvane::cli {

ListOutput::ListOutput(const std::string& path, Progress& progress)
    : name_(path.empty() ? "standard output" : path),
      progress_(progress),
      buffer_([this](std::string_view bytes) { write(bytes); }) {
    if (path.empty()) return;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw fileFailure("write", path, systemReason(EISDIR));
    }
    try {
        file_ = std::make_unique<TextFileWriter>(path);
    } catch (const FileError& error) {
        throw fileFailure("write", path, error.what());
    }
}

ListOutput::~ListOutput() = default;

void ListOutput::write(std::string_view bytes) {
    try {
        if (file_) return file_->write(bytes);
        progress_.clear();  // standard output may be the same terminal
        writeAll(STDOUT_FILENO, bytes);
    } catch (const FileError& error) {
        throw fileFailure("write", name_, error.what());
    }
}

void ListOutput::finish() {
    buffer_.flush();
    if (!file_) return;
    std::string warning;
    try {
        warning = file_->commit();
    } catch (const FileError& error) {
        throw fileFailure("write", name_, error.what());
    }
    // Written all the same: the command succeeds, and says what it could not make sure of.
    if (warning.empty()) return;
    progress_.clear();
    writeToStandardError("kelvane-cli: " + name_ + " holds the new list, but " + warning + "\n");
}

}  // namespace kelvane::cli
