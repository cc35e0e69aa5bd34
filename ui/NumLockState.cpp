// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumLockState.h"

#include <QGuiApplication>

// Xlib defines macros (Bool, Status) that clash with Qt's names: it comes last.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace kelvane {

std::optional<bool> numLockState() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
    const unsigned int numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (numLockMask == 0) return std::nullopt;
    return (state.locked_mods & numLockMask) != 0;
}

}  // namespace kelvane
