// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace kelvane {

// The lines "Open As Telephone Numbers" could not read, one "FILE:LINE: TEXT (reason)" a line.
// Not modal: the operator reads it beside the list. Escape closes it.
class LinesNotReadWindow : public QWidget {
    Q_OBJECT
  public:
    explicit LinesNotReadWindow(QWidget* parent);

    void showReport(std::string_view report);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  signals:
    // "Save…": the window's owner asks where and saves the report.
    void saveRequested();

  private:
    QPlainTextEdit* report_;
    QPushButton* save_;
};

}  // namespace kelvane
