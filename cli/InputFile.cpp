// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/TextFile.h"
#include "cli/CommandError.h"

namespace kelvane::cli {

InputFile::InputFile(const std::string& path) {
    const bool standardInput = path == "-";
    name_ = standardInput ? "<stdin>" : path;
    fd_ = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int error = fd_ < 0 ? errno : 0;
    owned_ = !standardInput && fd_ >= 0;

    struct stat info {};
    if (error == 0 && ::fstat(fd_, &info) != 0) error = errno;
    if (error == 0 && S_ISDIR(info.st_mode)) error = EISDIR;
    if (error != 0) {
        if (owned_) ::close(fd_);
        throw fileFailure("open", name_, systemReason(error));
    }
    if (S_ISREG(info.st_mode)) size_ = static_cast<std::uint64_t>(info.st_size);
}

InputFile::~InputFile() {
    if (owned_) ::close(fd_);
}

}  // namespace kelvane::cli
