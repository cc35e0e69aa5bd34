// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>

#include "MessageBox.h"
#include "NumberList.h"
#include "TextBytes.h"

namespace kelvane::testing {
namespace {

QListWidgetItem* entry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return nullptr;
    list->scrollToItem(found.front());
    return found.front();
}

}  // namespace

MessageAnswer ScriptedMessageBox::ask(std::string_view text, MessageButtons buttons,
                                      std::string_view title) {
    shown << QStringLiteral("%1 | %2 | %3")
                 .arg(fromUtf8(title), buttons == MessageButtons::Ok ? "OK" : "OK+Cancel",
                      fromUtf8(text));
    if (whileShown) whileShown();
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

WindowUnderTest::WindowUnderTest() {
    MessageBox::setStandIn(ScriptedMessageBox::ask);
    form_ = std::make_unique<Form1>();
    form_->core().setYieldInterval(std::chrono::nanoseconds(0));
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) qWarning("the window was not exposed");
}

WindowUnderTest::~WindowUnderTest() {
    form_.reset();
    MessageBox::setStandIn({});
    ScriptedMessageBox::answers.clear();
    ScriptedMessageBox::shown.clear();
    ScriptedMessageBox::whileShown = {};
}

void WindowUnderTest::click(const char* button) {
    QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
}

bool WindowUnderTest::choose(const std::string& name, const std::string& bytes) {
    write(name, bytes);
    browser().openFolder(folder());
    return clickEntry(files(), QString::fromStdString(name));
}

std::string WindowUnderTest::listBytes() {
    return find<NumberList>("text2")->bytes();
}

QStringList texts(const QListWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
    return shown;
}

bool clickEntry(QListWidget* list, const QString& text) {
    const QListWidgetItem* item = entry(list, text);
    if (item)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    return item;
}

bool doubleClickEntry(QListWidget* list, const QString& text) {
    const QListWidgetItem* item = entry(list, text);
    if (!item) return false;
    const QPoint at = list->visualItemRect(item).center();
    // A real double-click starts with a click, which selects the entry.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

bool dropFile(QWidget* target, const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    // The drop goes where the drag entered, so it needs the enter first.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

std::string numberLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(100000000000LL + i) + "\r\n";
    return lines;
}

}  // namespace kelvane::testing
