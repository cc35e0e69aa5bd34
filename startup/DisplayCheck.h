// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

using EnvironmentLookup = std::function<const char*(const char*)>;

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

// The platform plugins Qt tries, in its own order, by name in lower case without arguments:
// those QT_QPA_PLATFORM lists when it is set; else Wayland first when a Wayland session is
// given (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE "wayland"), then X11, Qt's default as Debian
// builds it.
std::vector<std::string> qtPlatformOrder(const EnvironmentLookup& environment);

inline constexpr std::string_view kNoDisplayMessage =
    "no display (DISPLAY and WAYLAND_DISPLAY are unset); on a machine without one, run it under "
    "a virtual display: xvfb-run -a kelvane";

// Why no window can open, as one line, or nothing when it can. Qt takes the first platform of
// its order whose plugin is installed and whose display answers, and aborts the program, core
// dump and all, when none does; so each is tried here the same way first: the X11 display with
// Xlib (its connection left in `held`), the Wayland display by connecting to its socket as
// libwayland does. A platform that needs no display (offscreen, vnc) is taken as Qt takes it.
// `installedPlugins`: the platform plugins Qt finds, by name in lower case.
std::optional<std::string> displayRefusal(const EnvironmentLookup& environment,
                                          const std::set<std::string>& installedPlugins,
                                          HeldDisplay& held);

}  // namespace kelvane
