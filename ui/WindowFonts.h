// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelvane {

// Maps the faces the windows were designed with to the nearest installed ones: Liberation Sans
// for "Arial" and "MS Sans Serif", a heavy sans for "Arial Black", DejaVu Sans for "Verdana".
void installFontFallbacks();

// The designed sizes are whole pixels at 96 dpi (8.25, 15.75, 21.75, 26.25 points), but a
// Designer file holds whole points only; this puts back the exact size of every font set on
// `window` or its children.
void snapFontsToPixels(QWidget* window);

}  // namespace kelvane
