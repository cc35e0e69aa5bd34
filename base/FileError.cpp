// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileError.h"

#include <cstring>

namespace kelvane {

std::string systemReason(int error) {
    return std::strerror(error);
}

void failWith(int error) {
    throw FileError(systemReason(error));
}

}  // namespace kelvane
