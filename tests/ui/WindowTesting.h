// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "Form1.h"
#include "MessagePrompt.h"

namespace kelvane::testing {

// A shown main window whose message boxes are answered from a script, and a fresh folder to
// put list files in.
class WindowUnderTest {
  public:
    WindowUnderTest();

    Form1& form() { return *form_; }
    ScriptedMessagePrompt& prompt() { return prompt_; }
    std::string folder() const { return folder_.path().toStdString(); }

    template <typename Widget>
    Widget* find(const char* objectName) {
        return form_->findChild<Widget*>(QString::fromLatin1(objectName));
    }
    QListWidget* files() { return find<QListWidget>("File1"); }
    QListWidget* folders() { return find<QListWidget>("Dir1"); }

    // Writes `bytes` to `name` in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // Shows the folder in the browser (as opening it in `Dir1` would).
    void browseFolder();
    std::string listBytes();
    // The messages shown so far, each as "title | OK or OK+Cancel | text".
    QStringList messages() const;

  private:
    QTemporaryDir folder_;
    ScriptedMessagePrompt prompt_;
    std::unique_ptr<Form1> form_;
};

QStringList texts(const QListWidget* list);
// Mouse clicks on the entry that shows `text`; fails the test when there is none.
bool clickEntry(QListWidget* list, const QString& text);
bool doubleClickEntry(QListWidget* list, const QString& text);
// Drags the file over `target` and drops it there; false when the window refused it.
bool dropFile(QWidget* target, const std::string& path);
std::string readFile(const std::string& path);
// `count` lines of distinct twelve-digit numbers, each ended by CR LF.
std::string numberLines(int count);

}  // namespace kelvane::testing
