// SPDX-License-Identifier: GPL-3.0-or-later
// Devices, named pipes and open streams are written into as the bytes come.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

#include "base/PosixIo.h"
#include "base/TextFileWriter.h"

namespace kelvane {

// The descriptor behind a name of an open stream, duplicated, or -1 for any other name. The
// stream is written where it stands, as a shell's redirection is: opened anew by its name, a
// regular file would be written from its start, and a pipe's name does not resolve.
int TextFileWriter::duplicateStreamNamed(std::string_view path) {
    int fd = -1;
    if (path == "/dev/stdout") {
        fd = STDOUT_FILENO;
    } else if (path == "/dev/stderr") {
        fd = STDERR_FILENO;
    } else {
        for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
            if (!path.starts_with(folder)) continue;
            const std::string_view digits = path.substr(folder.size());
            const auto [end, error] = std::from_chars(digits.begin(), digits.end(), fd);
            if (error != std::errc() || end != digits.end() || digits.empty()) fd = -1;
        }
    }
    if (fd < 0) return -1;
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) failWith(errno);
    return copy;
}

// Opens a device or a named pipe for writing. Without O_NONBLOCK, opening a pipe that nobody
// reads would hold the save forever; once open, writes wait for the reader as usual.
int TextFileWriter::openDirect(const std::string& path) {
    return openWithoutWaiting(path, O_WRONLY | O_CLOEXEC);
}

}  // namespace kelvane
