// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/DisplayCheck.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

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

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
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

std::vector<std::string> qtPlatformOrder(const EnvironmentLookup& environment) {
    const char* named = environment("QT_QPA_PLATFORM");
    if (!named || !*named) {
        const char* session = environment("XDG_SESSION_TYPE");
        if (environment("WAYLAND_DISPLAY") || (session && std::string_view(session) == "wayland"))
            return {"wayland", "xcb"};
        return {"xcb"};
    }
    // "wayland-egl:arguments;xcb": each platform with its arguments after a colon.
    std::vector<std::string> order;
    std::string_view list = named;
    while (!list.empty()) {
        const std::string_view entry = list.substr(0, list.find(';'));
        list.remove_prefix(std::min(list.size(), entry.size() + 1));
        const std::string name = lowerAscii(std::string(entry.substr(0, entry.find(':'))));
        if (!name.empty()) order.push_back(name);
    }
    return order;
}

std::optional<std::string> displayRefusal(const EnvironmentLookup& environment,
                                          const std::set<std::string>& installedPlugins,
                                          HeldDisplay& held) {
    const auto value = [&environment](const char* name) {
        const char* text = environment(name);
        return std::string(text ? text : "");
    };
    std::string refusal;
    const auto refuse = [&refusal](const std::string& why) {
        refusal += (refusal.empty() ? "" : "; ") + why;
    };
    for (const std::string& platform : qtPlatformOrder(environment)) {
        const bool wayland = platform.starts_with("wayland");
        // libwayland's own default when no name is given.
        const std::string waylandDisplay =
            environment("WAYLAND_DISPLAY") ? value("WAYLAND_DISPLAY") : "wayland-0";
        if (!installedPlugins.contains(platform)) {
            refuse("no Qt platform plugin \"" + platform + "\"" +
                   (wayland ? " for the Wayland display " + waylandDisplay +
                                  " (Debian's qt6-wayland has it)"
                            : std::string()));
        } else if (platform == "xcb") {
            const std::string display = value("DISPLAY");
            if (display.empty()) {
                refuse("DISPLAY is unset");
            } else if (x11DisplayAnswers(display, held)) {
                return std::nullopt;
            } else {
                refuse("cannot reach the display " + display);
            }
        } else if (!wayland) {
            return std::nullopt;  // offscreen, vnc and the like need no display
        } else if (waylandDisplayAnswers(waylandDisplay, environment("XDG_RUNTIME_DIR"))) {
            return std::nullopt;
        } else {
            refuse("cannot reach the Wayland display " + waylandDisplay);
        }
    }
    if (refusal.empty()) return "QT_QPA_PLATFORM names no platform";
    if (refusal == "DISPLAY is unset") return std::string(kNoDisplayMessage);
    return refusal;
}

}  // namespace kelvane
