// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

namespace kelvane {

// The platform plugins Qt would find, by the names they answer to, in lower case ("xcb",
// "wayland", "offscreen"). Read from the plugins' metadata without loading them, before Qt
// starts, from where Qt looks: the "platforms" folder of each library path (QT_PLUGIN_PATH's
// folders and Qt's own) and QT_QPA_PLATFORM_PLUGIN_PATH.
std::set<std::string> installedPlatformPlugins();

}  // namespace kelvane
