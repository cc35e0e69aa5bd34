// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

namespace kelvane {

using EnvironmentLookup = std::function<const char*(const char*)>;

// Whether a window can be opened: a Qt platform is named (QT_QPA_PLATFORM), or an X11 or a
// Wayland display is given. Asked before Qt starts, which would otherwise abort with a screenful
// of warnings.
bool displayAvailable(const EnvironmentLookup& environment);

inline constexpr std::string_view kNoDisplayMessage =
    "kelvane: no display (DISPLAY and WAYLAND_DISPLAY are unset); on a machine without one, run "
    "it under a virtual display: xvfb-run -a kelvane";

}  // namespace kelvane
