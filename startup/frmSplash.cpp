// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/frmSplash.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

#include <utility>
#include "ui/AppIcon.h"

#include "ui/Form1.h"
#include "ui/WindowFonts.h"
#include "ui_frmSplash.h"

namespace kelvane {
namespace {

constexpr int kTickMs = 500;
constexpr std::int16_t kTicksShown = 5;

}  // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      ui_(std::make_unique<Ui::frmSplash>()) {
    installFontFallbacks();
    ui_->setupUi(this);
    snapFontsToPixels(this);
    setFixedSize(size());
    setWindowIcon(appIcon());
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Form_Load();
}

frmSplash::~frmSplash() = default;

void frmSplash::Form_Load() {
    mTickCount = 0;
    form1_ = std::make_unique<Form1>();  // loaded, not shown: its load step runs now
    Timer1->start();
}

void frmSplash::Timer1_Timer() {
    ++mTickCount;
    if (mTickCount == kTicksShown) {
        showMainWindow();
        close();
    }
}

void frmSplash::showMainWindow() {
    Timer1->stop();
    if (form1_->isVisible()) return;
    form1_->show();
    form1_->raise();
    form1_->activateWindow();
    // The named file opens after the hand-over, once the splash has gone: its messages then
    // stand over the main window alone.
    if (!fileToOpen_.empty())
        QTimer::singleShot(
            0, form1_.get(),
            [form = form1_.get(), path = std::exchange(fileToOpen_, {})] { form->openFile(path); });
}

void frmSplash::showEvent(QShowEvent* event) {
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void frmSplash::closeEvent(QCloseEvent* event) {
    // Closed before its time, the splash still hands over: a hidden main window alone would keep
    // the program running with nothing on screen.
    showMainWindow();
    event->accept();
}

}  // namespace kelvane
