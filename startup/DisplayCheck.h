// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
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

// The X11 connection that answered the check, open until close() or the end of its scope: an X
// server with no client left starts over (Xvfb does, as xvfb-run starts it), and Qt, connecting
// just then, would find no display.
class HeldDisplay {
  public:
    HeldDisplay() = default;
    ~HeldDisplay() { close(); }
    HeldDisplay(const HeldDisplay&) = delete;
    HeldDisplay& operator=(const HeldDisplay&) = delete;

    void hold(void* display);
    void close();

  private:
    void* display_ = nullptr;  // Xlib's Display, kept out of this header
};

// The display given for the window when none that Qt may use answers, or nothing. Qt's X11
// platform aborts the program, core dump and all, on a display it cannot reach; so the X11
// display is tried first with Xlib (its connection left in `held`), and the Wayland display by
// connecting to its socket. Another platform named in QT_QPA_PLATFORM is left to Qt.
std::optional<std::string> unreachableDisplay(const EnvironmentLookup& environment,
                                              HeldDisplay& held);

}  // namespace kelvane
