// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <fstream>
#include <iterator>

#include "FileBrowser.h"
#include "NumberList.h"

namespace kelvane::testing {
namespace {

QListWidgetItem* entry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

}  // namespace

WindowUnderTest::WindowUnderTest() : form_(std::make_unique<Form1>(&prompt_)) {
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) qWarning("the window was not exposed");
}

std::string WindowUnderTest::write(const std::string& name, const std::string& bytes) const {
    const std::string path = folder() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void WindowUnderTest::browseFolder() {
    form_->browser().openFolder(folder());
}

std::string WindowUnderTest::listBytes() {
    return find<NumberList>("text2")->bytes();
}

QStringList WindowUnderTest::messages() const {
    QStringList shown;
    for (const auto& message : prompt_.shown()) {
        shown << QStringLiteral("%1 | %2 | %3")
                     .arg(QString::fromStdString(message.title),
                          message.buttons == MessageButtons::Ok ? QStringLiteral("OK")
                                                                : QStringLiteral("OK+Cancel"),
                          QString::fromStdString(message.text));
    }
    return shown;
}

QStringList texts(const QListWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
    return shown;
}

bool clickEntry(QListWidget* list, const QString& text) {
    QListWidgetItem* item = entry(list, text);
    if (!item) return false;
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    return true;
}

bool doubleClickEntry(QListWidget* list, const QString& text) {
    QListWidgetItem* item = entry(list, text);
    if (!item) return false;
    list->scrollToItem(item);
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

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string numberLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(100000000000LL + i) + "\r\n";
    return lines;
}

}  // namespace kelvane::testing
