// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kelvane::cli {

// Write all of `bytes` to the stream; throw CommandError naming the stream when they cannot.
void writeToStandardOutput(std::string_view bytes);
void writeToStandardError(std::string_view bytes);

}  // namespace kelvane::cli
