// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QAction;

namespace kelvane {

// Help > Keyboard Shortcuts: every key of the window, the menu items' shortcuts as the menus
// hold them, in a table the keyboard can walk.
class ShortcutsDialog : public QDialog {
    Q_OBJECT
  public:
    ShortcutsDialog(const QList<QAction*>& actions, QWidget* parent = nullptr);
};

}  // namespace kelvane
