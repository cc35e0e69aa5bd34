// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBox.h"

#include <QMessageBox>

#include "ui/TextBytes.h"

namespace kelvane {
namespace {

MessageBox::StandIn& installedStandIn() {
    static MessageBox::StandIn standIn;
    return standIn;
}

}  // namespace

MessageAnswer MessageBox::ask(QWidget* parent, std::string_view text, MessageButtons buttons,
                              std::string_view title) {
    if (const MessageBox::StandIn& standIn = installedStandIn())
        return standIn(text, buttons, title);
    QMessageBox box(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(fromUtf8(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(fromUtf8(text));
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

void MessageBox::setStandIn(StandIn standIn) {
    installedStandIn() = std::move(standIn);
}

}  // namespace kelvane
