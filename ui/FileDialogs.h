// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace kelvane {

// The path of a list file the operator picks in `folder`, as the file system spells it; empty when
// the dialog was cancelled.
std::string chooseListToOpen(QWidget* parent, const QString& title, const std::string& folder);
std::string chooseFileToSave(QWidget* parent, const QString& title, const std::string& folder);

}  // namespace kelvane
