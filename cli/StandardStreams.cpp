// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StandardStreams.h"

#include <unistd.h>

#include "base/PosixIo.h"
#include "base/TextFile.h"
#include "cli/CommandError.h"

namespace kelvane::cli {
namespace {

void writeStream(int fd, std::string_view bytes, std::string_view name) {
    try {
        writeAll(fd, bytes);
    } catch (const FileError& error) {
        throw fileFailure("write", name, error.what());
    }
}

}  // namespace

void writeToStandardOutput(std::string_view bytes) {
    writeStream(STDOUT_FILENO, bytes, "standard output");
}

void writeToStandardError(std::string_view bytes) {
    writeStream(STDERR_FILENO, bytes, "standard error");
}

}  // namespace kelvane::cli
