// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QTimer;

namespace kelvane {

class StatusProgressBar;

// The four panels of `StatusBar1`: the status line, the time, the date and "NUM", the last three
// kept current by a clock. `ProgressBar1` lies over the status line's panel, so the bar carries
// the status line's text too: whichever of the two shows, the operator can read it.
class StatusPanels : public QObject {
    Q_OBJECT
  public:
    StatusPanels(QStatusBar* bar, StatusProgressBar* coveringBar);

    void setStatusLine(const QString& text);
    QString statusLine() const;
    // Reads the clock and the Num Lock key again.
    void update();

  private:
    QLabel* addPanel(QStatusBar* bar, int widthPixels, const QString& objectName);

    QLabel* statusLine_;
    StatusProgressBar* coveringBar_;
    QLabel* time_;
    QLabel* date_;
    QLabel* numLock_;
    QTimer* clock_;
};

}  // namespace kelvane
