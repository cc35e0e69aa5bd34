// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestFiles.h"
#include "ui/FileBrowser.h"
#include "ui/Form1.h"
#include "ui/MessageBox.h"
#include "ui/NumberList.h"
#include "ui/TextBytes.h"

namespace kelvane::testing {

// Answers the window's message boxes in the operator's place while a WindowUnderTest lives: OK
// unless told otherwise.
struct ScriptedMessageBox {
    static void setNextAnswer(MessageAnswer answer) { next = answer; }
    static MessageAnswer ask(std::string_view text, MessageButtons buttons,
                             std::string_view title) {
        shown << QStringLiteral("%1 | %2 | %3")
                     .arg(fromUtf8(title), buttons == MessageButtons::Ok ? "OK" : "OK+Cancel",
                          fromUtf8(text));
        if (whileShown) whileShown();
        return std::exchange(next, MessageAnswer::Ok);
    }

    static inline MessageAnswer next = MessageAnswer::Ok;
    static inline QStringList shown;                 // "title | OK or OK+Cancel | text"
    static inline std::function<void()> whileShown;  // runs while each box is "on screen"
};

inline QStringList texts(const QListWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
    return shown;
}
// Mouse clicks, or double-clicks, the entry that shows `text`; false when there is none.
inline bool clickEntry(QListWidget* list, const QString& text, bool twice = false) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list->scrollToItem(found.front());
    const QPoint at = list->visualItemRect(found.front()).center();
    // A real double-click starts with a click, which selects the entry.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}
// Drags the file over `target` and drops it there; false when the window refused it.
inline bool dropFile(QWidget* target, const std::string& path) {
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
// `count` lines of distinct twelve-digit numbers, each ended by CR LF.
inline std::string numberLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(100000000000LL + i) + "\r\n";
    return lines;
}

// A shown main window that yields at every step, with scripted message boxes and a fresh folder
// to put list files in.
class WindowUnderTest {
  public:
    WindowUnderTest() {
        MessageBox::setStandIn(ScriptedMessageBox::ask);
        form_ = std::make_unique<Form1>();
        form_->core().setYieldInterval(std::chrono::nanoseconds(0));
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qWarning("the window was not exposed");
    }
    ~WindowUnderTest() {
        form_.reset();
        MessageBox::setStandIn({});
        ScriptedMessageBox::next = MessageAnswer::Ok;
        ScriptedMessageBox::shown.clear();
        ScriptedMessageBox::whileShown = {};
    }

    Form1& form() { return *form_; }
    Form1Core& core() { return form_->core(); }
    FileBrowser& browser() { return form_->browser(); }
    std::string folder() const { return folder_.path().string(); }
    template <typename Widget = QWidget>
    Widget* find(const char* objectName) {
        return form_->findChild<Widget*>(QString::fromLatin1(objectName));
    }
    QListWidget* files() { return find<QListWidget>("File1"); }
    QListWidget* folders() { return find<QListWidget>("Dir1"); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    std::string write(const std::string& name, const std::string& bytes) const {
        return folder_.write(name, bytes);
    }
    void makeFolder(const QString& name) const {
        QDir(QString::fromStdString(folder())).mkpath(name);
    }
    // Writes the file, shows the folder in the browser and clicks the file there.
    bool choose(const std::string& name, const std::string& bytes) {
        write(name, bytes);
        browser().openFolder(folder());
        return clickEntry(files(), QString::fromStdString(name));
    }
    std::string listBytes() { return find<NumberList>("text2")->bytes(); }

  private:
    TempFolder folder_;
    std::unique_ptr<Form1> form_;
};

}  // namespace kelvane::testing
