// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialogs.h"

#include <QFileDialog>

#include "ui/TextBytes.h"

namespace kelvane {
namespace {

// Any case of ".txt", as the file list shows them.
const QString kListFiles = QStringLiteral("List files (*.txt)");
const QString kTextFiles = QStringLiteral("Text files (*.txt);;All files (*)");

}  // namespace

std::string chooseListToOpen(QWidget* parent, const QString& title, const std::string& folder) {
    return pathBytes(QFileDialog::getOpenFileName(parent, title, fromUtf8(folder), kListFiles));
}

std::string chooseFileToSave(QWidget* parent, const QString& title, const std::string& folder) {
    // The save itself asks nothing more: the dialog has asked before replacing a file.
    return pathBytes(QFileDialog::getSaveFileName(parent, title, fromUtf8(folder), kTextFiles));
}

}  // namespace kelvane
