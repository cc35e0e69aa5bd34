// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/DisplayCheck.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kelvane {
namespace {

bool x11DisplayAnswers(const std::string& name, HeldDisplay& held) {
    Display* display = XOpenDisplay(name.c_str());
    if (!display) return false;
    held.hold(display);
    return true;
}

// As libwayland finds it: a relative name lies in XDG_RUNTIME_DIR.
bool waylandDisplayAnswers(const std::string& name, const char* runtimeFolder) {
    std::string path = name;
    if (!name.starts_with('/')) {
        if (!runtimeFolder || !*runtimeFolder) return false;
        path = std::string(runtimeFolder) + "/" + name;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool answers =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answers;
}

}  // namespace

void HeldDisplay::hold(void* display) {
    close();
    display_ = display;
}

void HeldDisplay::close() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
    display_ = nullptr;
}

bool displayAvailable(const EnvironmentLookup& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = environment(name);
        if (value && *value) return true;
    }
    return false;
}

std::optional<std::string> unreachableDisplay(const EnvironmentLookup& environment,
                                              HeldDisplay& held) {
    const auto value = [&environment](const char* name) {
        const char* text = environment(name);
        return std::string(text ? text : "");
    };
    const std::string platform = value("QT_QPA_PLATFORM");
    const std::string x11 = platform.empty() || platform.starts_with("xcb") ? value("DISPLAY") : "";
    const std::string wayland =
        platform.empty() || platform.starts_with("wayland") ? value("WAYLAND_DISPLAY") : "";
    if (x11.empty() && wayland.empty()) return std::nullopt;
    if (!x11.empty() && x11DisplayAnswers(x11, held)) return std::nullopt;
    if (!wayland.empty() && waylandDisplayAnswers(wayland, environment("XDG_RUNTIME_DIR")))
        return std::nullopt;
    return x11.empty() ? wayland : wayland.empty() ? x11 : x11 + " or " + wayland;
}

}  // namespace kelvane
