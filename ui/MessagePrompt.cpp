// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagePrompt.h"

#include <QMessageBox>

namespace kelvane {
namespace {

QString fromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

MessageAnswer ModalMessagePrompt::ask(std::string_view text, MessageButtons buttons,
                                      std::string_view title) {
    QMessageBox box(parent_);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(fromBytes(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(fromBytes(text));
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

MessageAnswer ScriptedMessagePrompt::ask(std::string_view text, MessageButtons buttons,
                                         std::string_view title) {
    shown_.push_back({std::string(title), buttons, std::string(text)});
    if (whileShown_) whileShown_(shown_.back());
    if (answers_.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace kelvane
