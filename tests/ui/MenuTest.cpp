// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QFileDialog>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "WindowTesting.h"
#include "ui/RegionDialog.h"

using namespace kelvane;
using namespace kelvane::testing;
using Box = ScriptedMessageBox;

namespace {

QString accessible(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}
// Presses the keys where the focus is, as the operator would.
void press(QKeySequence keys) {
    const QKeyCombination key = keys[0];
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}
// Gives the window the keyboard again once a dialog or another window has had it.
void backTo(QWidget* window) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}
// Runs `answer` on the next modal dialog of type Dialog once it shows.
template <typename Dialog, typename Answer>
void whenShown(Answer answer) {
    QTimer::singleShot(0, [answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) answer(dialog);
    });
}

// Picks `path` in the next file dialog once it shows, and tells where the dialog started.
void pickWhenShown(const std::string& path, QString* startedIn = nullptr) {
    whenShown<QFileDialog>([path, startedIn](QFileDialog* dialog) {
        if (startedIn) *startedIn = dialog->directory().path();
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
}

}  // namespace

class MenuTest : public QObject {
    Q_OBJECT
  private slots:
    void theBarSitsAboveTheControlsAndHelpListsEveryKey() {
        WindowUnderTest window;
        QMainWindow& form = window.form();
        QCOMPARE(form.height(), 480 + form.menuBar()->height());
        QCOMPARE(form.centralWidget()->y(), form.menuBar()->height());
        // Alt+H opens Help; K there lists every key, each menu item's among them.
        window.find("Text3")->setFocus();
        QTest::keyClick(&form, Qt::Key_H, Qt::AltModifier);
        auto* help = window.find<QMenu>("menuHelp");
        QTRY_VERIFY(help->isVisible());
        QTest::keyClick(help, Qt::Key_K);
        QTableWidget* table = nullptr;
        QTRY_VERIFY((table = form.findChild<QTableWidget*>("ShortcutTable")));
        QCOMPARE(table->item(0, 0)->text() + " " + table->item(0, 1)->text(),
                 QStringLiteral("Ctrl+O Open List…"));
        QVERIFY(!table->findItems("Esc", Qt::MatchExactly).isEmpty());
        for (QAction* menu : form.menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (!item->isSeparator())
                    QVERIFY2(item->text().contains('&') &&
                                 (item->shortcut().isEmpty() ||
                                  !table->findItems(item->shortcut().toString(), Qt::MatchExactly)
                                       .isEmpty()),
                             qPrintable(item->text()));
    }

    void undoAndRedoWalkOneHistoryOfOperationsAndTypingByteForByte() {
        WindowUnderTest window;
        auto* list = window.find<NumberList>("text2");
        auto* redo = window.find<QAction>("actionRedo");
        QVERIFY(!window.find<QAction>("actionUndo")->isEnabled() && !redo->isEnabled());
        QVERIFY(window.choose("a.txt", "111\r\n222\r\n111\r\n"));
        window.click("Command7");
        window.click("Command5");
        list->setFocus();
        QTest::keyClicks(list, "9");  // typed at the top of the list
        QTest::keyClicks(list, "8");
        const std::string typed = "98111\r\n222\r\n";
        QCOMPARE(window.listBytes(), typed);
        QVERIFY(!redo->isEnabled());  // typing is the newest step
        // Each step brings back the caption and the summary that told its counts.
        QStringList seen;
        for (const char* keys : {"Ctrl+Z", "Ctrl+Z", "Ctrl+Z", "Ctrl+Z", "Ctrl+Shift+Z"}) {
            press(QKeySequence(keys));
            seen << QString::fromStdString(window.listBytes()).replace("\r\n", " ") + "| " +
                        window.form().windowTitle() + " | " + window.find<QLabel>("Label4")->text();
        }
        QVERIFY(redo->isEnabled());
        QCOMPARE(seen, (QStringList{"111 222 | 2 | Duplicates Found   1  Of Total:   3",
                                    "111 222 111 | Total Numbers In File  3 | NON",
                                    "| ::: Halvorin::: | NON", "| ::: Halvorin::: | NON",
                                    "111 222 111 | Total Numbers In File  3 | NON"}));
        QVERIFY(window.find<QLabel>("StatusLine")->text().startsWith("Redone"));
        // In the width and the name boxes the keys stay theirs, and elsewhere they are the list's.
        for (const char* box : {"Text4", "Text3"}) {
            auto* line = window.find<QLineEdit>(box);
            line->setFocus();
            line->clear();
            QTest::keyClicks(line, "77");
            press(QKeySequence("Ctrl+Z"));
            QCOMPARE(line->text(), QString());
            QCOMPARE(window.listBytes(), std::string("111\r\n222\r\n111\r\n"));
        }
        window.find("Text5")->setFocus();
        press(QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(window.listBytes(), std::string("111\r\n222\r\n"));
    }

    void theKeysAreOffWhileAnOperationRunsAndEscapeStopsIt() {
        WindowUnderTest window;
        QVERIFY(window.choose("small.txt", "5\r\n"));
        window.click("Command7");
        window.write("big.txt", numberLines(3000));
        window.browser().refreshFiles();
        std::string duringRun;
        QTimer::singleShot(0, &window.form(), [&] {
            press(QKeySequence("Ctrl+Z"));
            duringRun = window.listBytes();
            press(QKeySequence("Escape"));
        });
        QVERIFY(clickEntry(window.files(), "big.txt", true));
        QVERIFY(duringRun.starts_with("100000000000\r\n"));  // not back to "5"
        QCOMPARE(window.find<QLabel>("StatusLine")->text(), QStringLiteral("Opening stopped"));
        // What the stopped load left is a step: one undo goes back to the list before it.
        press(QKeySequence("Ctrl+Z"));
        QCOMPARE(window.listBytes(), std::string("5\r\n"));

        // A Numbers item stopped midway leaves the list as it was, and no step.
        window.form().setRegion("IL");
        QVERIFY(clickEntry(window.files(), "big.txt"));
        QTimer::singleShot(0, &window.form(), [] { press(QKeySequence("Escape")); });
        press(QKeySequence("Ctrl+Shift+O"));
        QCOMPARE(window.find<QLabel>("StatusLine")->text(),
                 QStringLiteral("Stopped: the list is as it was"));
        QCOMPARE(window.listBytes(), std::string("5\r\n"));
        press(QKeySequence("Ctrl+Z"));
        QCOMPARE(window.listBytes(), std::string());
    }

    void everyControlHasANameOfItsOwnAndTheButtonThatRanTellsTheResult() {
        WindowUnderTest window;
        QStringList names;
        for (const char* control : {"Text3", "Text4", "Dir1", "File1", "text2", "Text5", "Text1",
                                    "ProgressBar1", "Command2"})
            names << accessible(window.find(control));
        QCOMPARE(names, (QStringList{"Length Of Each Line In File:", "File Name To Save As",
                                     "Folders", "List Files", "Numbers List", "File Lines", "Notes",
                                     "Progress", "read file"}));
        // A drop-down list is named by its label, besides its frame's caption.
        QStringList labels;
        for (const auto& [label, relation] :
             QAccessible::queryAccessibleInterface(window.find("Drive1"))
                 ->relations(QAccessible::Label))
            labels << label->text(QAccessible::Name);
        QCOMPARE(labels, (QStringList{"Drives", "Files"}));
        for (const QLabel* label : window.find("Frame4")->findChildren<QLabel*>())
            QVERIFY(!label->isVisible());  // the name needs no place on the form
        QVERIFY(window.choose("d.txt", "1\r\n1\r\n"));
        window.click("Command5");
        QVERIFY(accessible(window.find("Command5"), QAccessible::Description)
                    .startsWith("1. Duplicates Found   1  Of Total:   2. 1 duplicate removed"));
    }

    void openListStartsInTheBrowsersFolderAndOpensTheChosenFileThere() {
        WindowUnderTest window;
        window.makeFolder("sub");
        const std::string path = window.write("sub/picked.txt", "12\r\n");
        window.browser().openFolder(window.folder() + "/sub");
        QString startedIn;
        pickWhenShown(path, &startedIn);
        press(QKeySequence("Ctrl+O"));
        QCOMPARE(startedIn.toStdString(), window.folder() + "/sub");
        QCOMPARE(window.files()->currentItem()->text(), QStringLiteral("picked.txt"));
        QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  1"));
    }

    void numbersItemsAskARegionFollowTheFormatAndAListKeepsTheRegionItWasOpenedWith() {
        qputenv("LC_ALL", "C");  // a locale without a territory
        WindowUnderTest window;
        qunsetenv("LC_ALL");
        QVERIFY(window.choose("calls.txt", "050-1234567\r\nhello\r\n"));
        window.find<QAction>("actionFormatNational")->trigger();
        window.files()->setFocus();
        whenShown<RegionDialog>([](RegionDialog* dialog) {
            auto* filter = dialog->findChild<QLineEdit*>("RegionFilter");
            QTest::keyClicks(filter, "IL");
            QTest::keyClick(filter, Qt::Key_Return);
        });
        press(QKeySequence("Ctrl+Shift+O"));
        QCOMPARE(window.listBytes(), std::string("050-123-4567\r\n"));
        auto* notRead = window.form().findChild<QWidget*>("LinesNotRead");
        QVERIFY(notRead && notRead->isVisible() && !notRead->isModal());
        QVERIFY(window.find<QPlainTextEdit>("LinesNotReadReport")
                    ->toPlainText()
                    .endsWith("calls.txt:2: hello (not a number)\n"));
        const std::string saved = window.folder() + "/not-read.txt";
        pickWhenShown(saved);
        QTest::mouseClick(notRead->findChild<QPushButton*>(), Qt::LeftButton);
        QCOMPARE(readFile(saved), window.core().linesNotRead());
        QTest::keyClick(notRead, Qt::Key_Escape);
        QVERIFY(!notRead->isVisible());
        backTo(&window.form());

        // The same number written the international way is a duplicate under the list's region,
        // whatever the menu says now.
        window.form().setRegion("US");
        auto* list = window.find<NumberList>("text2");
        list->setFocus();
        QTest::keyClicks(list, "+972501234567");
        QTest::keyClick(list, Qt::Key_Return);
        press(QKeySequence("Ctrl+Shift+D"));
        QCOMPARE(window.listBytes(), std::string("+972501234567\r\n"));
        QVERIFY(accessible(list, QAccessible::Description)
                    .contains("Duplicates Found   1  Of Total:   2"));
        pickWhenShown(window.folder() + "/removed.txt");
        press(QKeySequence("Ctrl+Shift+R"));
        QCOMPARE(readFile(window.folder() + "/removed.txt"), std::string("050-123-4567\r\n"));
        backTo(&window.form());
        for (int step = 0; step < 3; ++step) press(QKeySequence("Ctrl+Z"));
        QCOMPARE(window.core().mListRegion, std::string());
        press(QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(window.listBytes(), std::string("050-123-4567\r\n"));
        QCOMPARE(window.core().mListRegion, std::string("IL"));
    }

    void theLinesNotReadShownAreThisRunsOrNone() {
        WindowUnderTest window;
        window.form().setRegion("IL");
        QVERIFY(window.choose("calls.txt", "050-1234567\r\nhello\r\n"));
        const auto openAsNumbers = [&](const std::string& name) {
            QVERIFY(clickEntry(window.files(), QString::fromStdString(name)));
            backTo(&window.form());
            press(QKeySequence("Ctrl+Shift+O"));
        };
        openAsNumbers("calls.txt");
        auto* report = window.find<QPlainTextEdit>("LinesNotReadReport");
        QVERIFY(report && report->isVisible());
        // A run that fails, and one without a line it could not read, leave no report up.
        window.write("clean.txt", "050-1234567\r\n");
        window.write("gone.txt", "");
        window.browser().refreshFiles();
        std::filesystem::remove(window.folder() + "/gone.txt");
        for (const std::string name : {"gone.txt", "clean.txt"}) {
            openAsNumbers("calls.txt");
            QVERIFY(report->isVisible());
            openAsNumbers(name);
            QVERIFY2(!report->isVisible(), name.c_str());
        }
        QCOMPARE(Box::shown.size(), 1);  // the failed run's message
    }

    void f10OpensTheMenuBar() {
        WindowUnderTest window;
        window.find("Text3")->setFocus();
        press(QKeySequence("F10"));
        auto* file = window.find<QMenu>("menuFile");
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_Escape);
        QTRY_VERIFY(!file->isVisible());
    }

    void theRegionListNarrowsAsTheOperatorTypesAndTheKeyboardChooses() {
        RegionDialog dialog({"BR", "DE", "IL", "US"}, "US");
        dialog.show();
        auto* filter = dialog.findChild<QLineEdit*>("RegionFilter");
        QCOMPARE(dialog.focusWidget(), filter);
        QTest::keyClicks(filter, "il");  // Brazil and Israel; the code typed whole goes first
        QCOMPARE(dialog.chosen(), std::string("IL"));
        QTest::keyClick(filter, Qt::Key_Up);
        QCOMPARE(dialog.chosen(), std::string("BR"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(MenuTest)
#include "MenuTest.moc"
