// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kelvane {

// Whether Num Lock is on, where the platform tells (X11 does); nothing elsewhere.
std::optional<bool> numLockState();

}  // namespace kelvane
