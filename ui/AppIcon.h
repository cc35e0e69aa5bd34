// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace kelvane {

// The picture both windows carry, the logo's "K" in yellow on the desktop blue: the installed
// icon (data/icons), at every size it is installed in.
QIcon appIcon();

}  // namespace kelvane
