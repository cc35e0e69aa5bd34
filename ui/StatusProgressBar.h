// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressBar>

namespace kelvane {

// `ProgressBar1`, which carries the status line's text: the text shows exactly as given. A
// QProgressBar's format would read "%" as the start of a placeholder, and "%%" stays doubled.
class StatusProgressBar : public QProgressBar {
  public:
    using QProgressBar::QProgressBar;

    QString text() const override { return text_; }
    void setText(const QString& text) {
        text_ = text;
        update();
    }

  private:
    QString text_;
};

}  // namespace kelvane
