// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace kelvane {

// Help > About Kelvane: the version, the licence and the version of the telephone-number metadata
// the verdicts depend on.
QString aboutText();
// Shows it in a box of its own, not blocking the caller.
void showAbout(QWidget* parent);

}  // namespace kelvane
