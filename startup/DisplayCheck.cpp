// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayCheck.h"

namespace kelvane {

bool displayAvailable(const EnvironmentLookup& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = environment(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace kelvane
