// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LinesNotReadWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/TextBytes.h"

namespace kelvane {

LinesNotReadWindow::LinesNotReadWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("LinesNotRead"));
    setWindowTitle(QStringLiteral("Lines Not Read"));
    report_ = new QPlainTextEdit;
    report_->setObjectName(QStringLiteral("LinesNotReadReport"));
    report_->setAccessibleName(QStringLiteral("Lines not read"));
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setTabChangesFocus(true);
    // Selectable by keyboard too, so that a line can be copied.
    report_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    save_ = new QPushButton(QStringLiteral("&Save…"));
    auto* close = new QPushButton(QStringLiteral("&Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(report_);
    layout->addLayout(buttons);
    resize(560, 320);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(save_, &QPushButton::clicked, this, &LinesNotReadWindow::saveRequested);
}

void LinesNotReadWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LinesNotReadWindow::showReport(std::string_view report) {
    report_->setPlainText(readableText(report));
    show();
    raise();
    activateWindow();
    report_->setFocus();
}

}  // namespace kelvane
