// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "FileBrowser.h"
#include "Form1.h"
#include "TestFiles.h"

namespace kelvane::testing {

// Answers the window's message boxes in the operator's place while a WindowUnderTest lives: OK
// unless told otherwise.
struct ScriptedMessageBox {
    static void setNextAnswer(MessageAnswer answer) { answers.push_back(answer); }
    static MessageAnswer ask(std::string_view text, MessageButtons buttons, std::string_view title);

    static inline std::deque<MessageAnswer> answers;
    static inline QStringList shown;                 // "title | OK or OK+Cancel | text"
    static inline std::function<void()> whileShown;  // runs while each box is "on screen"
};

// A shown main window that yields at every step, with scripted message boxes and a fresh folder
// to put list files in.
class WindowUnderTest {
  public:
    WindowUnderTest();
    ~WindowUnderTest();

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
    void click(const char* button);
    std::string write(const std::string& name, const std::string& bytes) const {
        return folder_.write(name, bytes);
    }
    void makeFolder(const char* name) const { QDir(QString::fromStdString(folder())).mkpath(name); }
    // Writes the file, shows the folder in the browser and clicks the file there.
    bool choose(const std::string& name, const std::string& bytes);
    std::string listBytes();

  private:
    TempFolder folder_;
    std::unique_ptr<Form1> form_;
};

QStringList texts(const QListWidget* list);
// Mouse clicks on the entry that shows `text`; false when there is none.
bool clickEntry(QListWidget* list, const QString& text);
bool doubleClickEntry(QListWidget* list, const QString& text);
// Drags the file over `target` and drops it there; false when the window refused it.
bool dropFile(QWidget* target, const std::string& path);
// `count` lines of distinct twelve-digit numbers, each ended by CR LF.
std::string numberLines(int count);

}  // namespace kelvane::testing
