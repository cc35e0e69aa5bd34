// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QTimer;

namespace kelvane {

// The four panels of `StatusBar1`: the status line, the time, the date and "NUM", the last three
// kept current by a clock.
class StatusPanels : public QObject {
    Q_OBJECT
  public:
    explicit StatusPanels(QStatusBar* bar);

    void setStatusLine(const QString& text);
    QString statusLine() const;
    // Reads the clock and the Num Lock key again.
    void update();

  private:
    QLabel* addPanel(QStatusBar* bar, int widthPixels, const QString& objectName);

    QLabel* statusLine_;
    QLabel* time_;
    QLabel* date_;
    QLabel* numLock_;
    QTimer* clock_;
};

}  // namespace kelvane
