// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace kelvane {

// The 24 × 24 picture both windows carry: the logo's "K" in yellow on the desktop blue.
QIcon appIcon();

}  // namespace kelvane
