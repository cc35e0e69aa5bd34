// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatusPanels.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

#include "ui/NumLockState.h"
#include "ui/StatusProgressBar.h"

namespace kelvane {
namespace {

// Panel widths in pixels: 5500 and 1440 twips at 15 twips to the pixel.
constexpr int kStatusLineWidth = 367;
constexpr int kClockPanelWidth = 96;
// Often enough for the minute to turn over promptly and for Num Lock to follow the key.
constexpr int kClockIntervalMs = 250;

}  // namespace

StatusPanels::StatusPanels(QStatusBar* bar, StatusProgressBar* coveringBar)
    : QObject(bar), coveringBar_(coveringBar) {
    bar->setSizeGripEnabled(false);
    coveringBar_->setTextVisible(true);
    coveringBar_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusLine_ = addPanel(bar, kStatusLineWidth, QStringLiteral("StatusLine"));
    statusLine_->setTextFormat(Qt::PlainText);
    time_ = addPanel(bar, kClockPanelWidth, QStringLiteral("TimePanel"));
    date_ = addPanel(bar, kClockPanelWidth, QStringLiteral("DatePanel"));
    numLock_ = addPanel(bar, kClockPanelWidth, QStringLiteral("NumPanel"));
    numLock_->setText(QStringLiteral("NUM"));
    numLock_->setAlignment(Qt::AlignCenter);
    time_->setAlignment(Qt::AlignCenter);
    date_->setAlignment(Qt::AlignCenter);

    clock_ = new QTimer(this);
    clock_->setInterval(kClockIntervalMs);
    connect(clock_, &QTimer::timeout, this, &StatusPanels::update);
    clock_->start();
    update();
}

QLabel* StatusPanels::addPanel(QStatusBar* bar, int widthPixels, const QString& objectName) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(objectName);
    panel->setFixedWidth(widthPixels);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    bar->addWidget(panel);
    return panel;
}

QString StatusPanels::statusLine() const {
    return statusLine_->text();
}

void StatusPanels::setStatusLine(const QString& text) {
    statusLine_->setText(text);
    statusLine_->setToolTip(text);  // the panel is narrow; the whole line shows on hover
    coveringBar_->setText(text);
    coveringBar_->setToolTip(text);
}

void StatusPanels::update() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    time_->setText(locale.toString(now.time(), QLocale::ShortFormat));
    date_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    const std::optional<bool> numLock = numLockState();
    numLock_->setEnabled(numLock.value_or(false));
    numLock_->setToolTip(numLock ? QString()
                                 : QStringLiteral("This display does not tell the Num Lock state"));
}

}  // namespace kelvane
