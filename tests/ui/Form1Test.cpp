// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <random>

#include "WindowTesting.h"

using namespace kelvane;
using namespace kelvane::testing;
using Box = ScriptedMessageBox;

class Form1Test : public QObject {
    Q_OBJECT
  private slots:
    void tabAndShiftTabGoRoundEveryControlInOrderAndTypeNothing() {
        WindowUnderTest window;
        QVERIFY(window.choose("names.txt", "caf\xe9\r\nna\xc3\xafve\r\n"));
        const QStringList forward{"Command2", "Text5", "Command5", "Text4", "Command11", "Drive1",
                                  "Dir1",     "File1", "Command7", "text2", "Text3",     "Text1"};
        QStringList back(forward.rbegin() + 1, forward.rend());
        for (const auto& [modifiers, expected] :
             {std::pair{Qt::NoModifier, forward}, {Qt::ShiftModifier, back << "Text1"}}) {
            window.find("Text1")->setFocus();
            QStringList stops;
            for (int i = 0; i < 12; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
                stops << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(stops, expected);
        }
        QCOMPARE(window.listBytes(), std::string());
        QVERIFY(window.find<QPlainTextEdit>("Text1")->toPlainText().isEmpty());

        // "read file" lies beyond the window's edge: the keyboard runs it all the same. Bytes
        // that are not UTF-8 show as Latin-1.
        window.find("Command2")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(window.find<QPlainTextEdit>("Text5")->toPlainText(),
                 QString::fromLatin1("caf\xe9\nna\xc3\xafve\n"));
    }

    void openHoldsTheWindowWhileDoubleClickAndEnterLoadLive() {
        WindowUnderTest window;
        window.write("b.txt", "7\r\n");
        QVERIFY(window.choose("a.txt", numberLines(300)));
        QStringList captions;
        connect(&window.form(), &QWidget::windowTitleChanged, [&](QString c) { captions << c; });
        bool ranDuringLoad = false;
        QTimer::singleShot(0, &window.form(), [&] { ranDuringLoad = window.core().busy(); });
        window.click("Command7");
        QVERIFY(!ranDuringLoad);  // "Open" holds the window until it has finished
        QCOMPARE(captions, QStringList{"Total Numbers In File  300"});
        QCOMPARE(window.listBytes(), numberLines(300));
        QVERIFY(!window.find("ProgressBar1")->isVisible());

        QVERIFY(clickEntry(window.files(), "a.txt", true));
        QVERIFY(captions.contains(QStringLiteral("150")));  // the running count, line by line
        QCOMPARE(captions.last(), QStringLiteral("Total Numbers In File  300"));
        QCOMPARE(window.listBytes(), numberLines(300));
        // Enter on the selected file opens it the same way; the arrow key chose it.
        window.files()->setFocus();
        QTest::keyClick(window.files(), Qt::Key_Down);
        QTest::keyClick(window.files(), Qt::Key_Return);
        QCOMPARE(window.listBytes(), std::string("7\r\n"));
        QVERIFY(Box::shown.isEmpty());
    }

    void aFailedOpenShowsTheLoadErrorAndItsReasonExactlyOnTheBar() {
        WindowUnderTest window;
        auto* bar = window.find<QProgressBar>("ProgressBar1");
        const QRect barArea(bar->mapTo(&window.form(), QPoint(0, 0)), bar->size());
        const auto ink = [&] {  // pixels dark enough to be text
            const QImage image = window.form().grab(barArea).toImage();
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(window.choose("share.txt", "1\r\n50%\r\n"));
        const int before = ink();
        window.click("Command7");
        QCOMPARE(Box::shown, QStringList{"Kelvane | OK | Error In Selected File May Be There "
                                         "Is Text With Numbers Please Check"});
        QVERIFY(bar->isVisible());  // ended early: the bar stays where it was
        // The bar lies over the status line's panel: the reason must be drawn where it is read,
        // exactly as it is.
        QVERIFY(ink() > before + 100);
        QCOMPARE(bar->text(), QStringLiteral("Line 2 is not a number: \"50%\""));
    }

    void removalAndSaveOutliveAFaultAndSaveAsksBeforeReplacingAndShowsALongNameWhole() {
        WindowUnderTest window;
        const std::string target = window.write("out.txt", "old\r\n");
        QVERIFY(window.choose("dups.txt", "111\r\n222\r\n111\r\n333\r\n222\r\n"));
        auto* status = window.find<QLabel>("StatusLine");
        bool fault = true;  // memory runs short once, while the next box is up
        Box::whileShown = [&] {
            if (std::exchange(fault, false)) throw std::bad_alloc();
        };
        window.find<QLineEdit>("Text3")->clear();
        window.click("Command5");
        QCOMPARE(Box::shown, (QStringList{"Kelvane | OK | Insert The Length Of Each Line In File",
                                          "Kelvane | OK | No File Selected"}));
        QCOMPARE(status->text(), QStringLiteral("Not enough memory"));
        window.find<QLineEdit>("Text3")->setText("12");
        window.click("Command5");  // the window is usable again
        auto* summary = window.find<QLabel>("Label4");
        QCOMPARE(summary->text(), QStringLiteral("Duplicates Found   2  Of Total:   5"));
        QVERIFY(summary->width() >= summary->sizeHint().width());  // shown whole
        auto* name = window.find<QLineEdit>("Text4");
        QTest::keyClicks(name, QStringLiteral("out"));

        const QString replace = QStringLiteral("Note | OK+Cancel | File Name Exits Over Write  ");
        fault = true;
        window.click("Command11");
        QCOMPARE(Box::shown.last(),
                 QStringLiteral("Kelvane | OK | File Not Saved\nNot enough memory"));
        QCOMPARE(status->text().toStdString(), "Cannot save " + target + ": Not enough memory");
        QVERIFY(!window.core().busy());
        Box::shown.clear();
        Box::setNextAnswer(MessageAnswer::Cancel);
        window.click("Command11");
        QCOMPARE(Box::shown, QStringList{replace});
        QCOMPARE(readFile(target), std::string("old\r\n"));
        QCOMPARE(name->text(), QStringLiteral("out"));
        window.click("Command11");
        QCOMPARE(Box::shown, (QStringList{replace, replace, "Kelvane | OK | File Saved"}));
        QCOMPARE(readFile(target), std::string("111\r\n222\r\n333\r\n"));
        QVERIFY(name->text().isEmpty());

        // A thirty-character name is shown whole with its extension; the operator still gets 30.
        const QString thirty(30, QLatin1Char('n'));
        QString shownWithMessage;
        Box::whileShown = [&] { shownWithMessage = name->text(); };
        QTest::keyClicks(name, thirty);
        window.click("Command11");
        QCOMPARE(shownWithMessage, thirty + ".txt");
        QCOMPARE(readFile(window.folder() + "/" + thirty.toStdString() + ".txt"),
                 std::string("111\r\n222\r\n333\r\n"));
        QTest::keyClicks(name, thirty + "n");
        QCOMPARE(name->text(), thirty);  // the operator is held to 30 characters again

        // After a failed save the longer name stays, and still the operator gets only 30.
        const QString other(30, QLatin1Char('m'));
        window.makeFolder(other + ".txt");
        name->clear();
        QTest::keyClicks(name, other);
        window.click("Command11");
        QCOMPARE(Box::shown.last(),
                 QStringLiteral("Kelvane | OK | File Not Saved\nIs a directory"));
        QTest::keyClicks(name, QStringLiteral("n"));
        QCOMPARE(name->text(), other + ".txt");
        name->clear();
        QTest::keyClicks(name, thirty + "n");
        QCOMPARE(name->text(), thirty);
    }

    void realMessageBoxHasNoIconAndEscapeCancels() {
        QWidget parent;
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = QStringLiteral("%1|%2|%3|%4")
                       .arg(box->windowTitle(), box->text())
                       .arg(box->icon() == QMessageBox::NoIcon)
                       .arg(box->defaultButton() == box->button(QMessageBox::Ok));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(MessageBox::ask(&parent, "Over Write  ", MessageButtons::OkCancel, "Note"),
                 MessageAnswer::Cancel);
        QCOMPARE(seen, QStringLiteral("Note|Over Write  |1|1"));
    }

    void listEditorRoundTripsAnyBytesAndLeavesNothingToUndo() {
        NumberList list;
        std::mt19937 random(7);
        std::string noise(4096, '\0');
        for (char& byte : noise) byte = static_cast<char>(random());
        const std::string awkward(
            "1\r\n\r\n2\n3\r4\x00"
            "5\xff\xfe\xe2\x82\r\n\xef\xbb\xbf"
            "6",
            20);
        for (const std::string& bytes : {awkward, noise, std::string()}) {
            list.setBytes(bytes);
            QCOMPARE(list.bytes(), bytes);
        }
        list.appendBytes("1\r\n");
        list.appendBytes("");
        list.appendBytes(awkward);
        QCOMPARE(list.bytes(), "1\r\n" + awkward);
        // Undoing into the program's own changes would give a half-loaded list.
        list.undo();
        QCOMPARE(list.bytes(), "1\r\n" + awkward);
    }

    void aWholeE164NumberShowsWhateverTheLineCountAndLineNumbersWhileTheyLeaveRoom() {
        WindowUnderTest window;
        auto* list = window.find<NumberList>("text2");
        // Numbers a list holds; its lines count one more, the empty line after the last CR LF.
        for (const int lines : {9, 998, 999, 200000}) {
            std::string numbers;
            for (int line = 0; line < lines; ++line) numbers += "+972501234567\r\n";
            list->setBytes(numbers);
            // Where the first number's last character ends, in the list's visible part.
            const long end =
                list->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, 13L);
            QVERIFY2(end <= list->viewport()->width(), qPrintable(QString::number(lines)));
            // The margin, where shown, holds line numbers: more than its background is drawn.
            const long margin = list->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL);
            QCOMPARE(margin > 0, lines < 999);
            const QImage drawn = list->viewport()->grab(QRect(0, 0, int(margin), 12)).toImage();
            QSet<QRgb> colours;
            for (int x = 0; x < drawn.width(); ++x)
                for (int y = 0; y < drawn.height(); ++y) colours.insert(drawn.pixel(x, y));
            QCOMPARE(colours.size() > 2, margin > 0);
        }
    }

    void theKeyboardChoosesTheFirstFileAsAClickDoes() {
        WindowUnderTest window;
        window.write("a.txt", "1\r\n");
        window.write("b.txt", "2\r\n");
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Home}) {
            window.browser().openFolder(window.folder());  // nothing selected
            window.find("Dir1")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window.files());
            QTest::keyClick(window.files(), key);
            window.click("Command7");
            QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  1"));
            window.form().setWindowTitle({});
        }
    }

    void controlsAreLockedWhileAnOperationYieldsASecondIsRefusedAndClosingStopsIt() {
        WindowUnderTest window;
        window.write("other.txt", "9\r\n");
        QVERIFY(window.choose("big.txt", numberLines(2000)));
        QStringList enabledDuringRun;
        bool listEditable = true;
        QString statusAfterDrop;
        QTimer::singleShot(0, &window.form(), [&] {
            for (const char* name :
                 {"Command7", "Command5", "Command11", "Command2", "File1", "Text3", "Text4"}) {
                if (window.find(name)->isEnabled()) enabledDuringRun << name;
            }
            listEditable = !window.find<NumberList>("text2")->isReadOnly();
            // A file dropped now would start a second load; it is turned away.
            dropFile(&window.form(), window.folder() + "/other.txt");
            statusAfterDrop = window.find<QLabel>("StatusLine")->text();
        });
        QVERIFY(clickEntry(window.files(), "big.txt", true));
        QVERIFY2(statusAfterDrop.startsWith("Wait until"), qPrintable(statusAfterDrop));
        QCOMPARE(enabledDuringRun, QStringList());
        QVERIFY(!listEditable);
        QCOMPARE(window.listBytes(), numberLines(2000));
        QVERIFY(window.find("Command7")->isEnabled() && window.files()->isEnabled());
        QVERIFY(!window.find<NumberList>("text2")->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), window.files());  // focus goes back where it was

        // Dropped once the run has ended, a text file opens in its folder.
        window.makeFolder("inner");
        const std::string path = window.write("inner/Dropped.TXT", "42\r\n43\r\n");
        QVERIFY(!dropFile(&window.form(), window.write("notes.csv", "x")));
        QVERIFY(dropFile(&window.form(), path));
        QCOMPARE(window.browser().folderPath(), window.folder() + "/inner");
        QCOMPARE(window.files()->currentItem()->text(), QStringLiteral("Dropped.TXT"));
        QCOMPARE(window.listBytes(), std::string("42\r\n43\r\n"));

        window.browser().openFolder(window.folder());
        QTimer::singleShot(0, &window.form(), [&] { window.form().close(); });
        QVERIFY(clickEntry(window.files(), "big.txt", true));
        QVERIFY(!window.core().busy());
        QVERIFY(Box::shown.isEmpty());
        QVERIFY(window.listBytes().size() < numberLines(2000).size());
        QCOMPARE(window.find<QLabel>("StatusLine")->text(), QStringLiteral("Opening stopped"));
    }

    void listsTxtFilesOnlyWhateverTheirCaseAndRecordsTheChosenOne() {
        WindowUnderTest window;
        for (const char* name :
             {"LIST.TXT", "a.Txt", "c.csv", "notes.txt.bak", ".hidden.txt", "txt"})
            window.write(name, "1\r\n");
        window.makeFolder("folder.txt");
        QVERIFY(window.choose("b.txt", "1\r\n"));
        // A hidden list file is listed too: a save may replace it.
        QCOMPARE(texts(window.files()), (QStringList{".hidden.txt", "a.Txt", "b.txt", "LIST.TXT"}));
        QCOMPARE(window.core().mSelectedFile, window.folder() + "/b.txt");
        // A path chosen at the root has two separators, which open the same file.
        window.core().selectFile(std::string("/").append(window.folder()).append("/b.txt"));
        window.click("Command7");
        QCOMPARE(window.listBytes(), std::string("1\r\n"));
    }

    void browserStartsAtTheCurrentFolderAndListsAncestorsAboveAndSubfoldersBelow() {
        const QString previous = QDir::currentPath();
        TempFolder start;
        QVERIFY(QDir::setCurrent(QString::fromStdString(start.path().string())));
        WindowUnderTest window;
        QDir::setCurrent(previous);
        QCOMPARE(window.browser().fileListPath(),
                 std::filesystem::canonical(start.path()).string());
        window.makeFolder("beta");
        window.makeFolder("Alpha");
        window.write("beta/inner.txt", "1\r\n");
        QVERIFY(window.choose("top.txt", "1\r\n"));
        QStringList chain = QString::fromStdString(window.folder()).split('/', Qt::SkipEmptyParts);
        chain.prepend("/");
        QCOMPARE(texts(window.folders()), (chain + QStringList{"Alpha", "beta"}));
        QCOMPARE(window.find<QComboBox>("Drive1")->itemText(0), QStringLiteral("/"));
        // Opening another folder forgets the chosen file; Enter on the parent goes back up.
        QVERIFY(clickEntry(window.folders(), "beta", true));
        QCOMPARE(window.browser().fileListPath(), window.folder() + "/beta");
        QCOMPARE(texts(window.files()), QStringList{"inner.txt"});
        QCOMPARE(window.core().mSelectedFile, std::string());
        window.folders()->setFocus();
        window.folders()->setCurrentRow(chain.size() - 1);
        QTest::keyClick(window.folders(), Qt::Key_Return);
        QCOMPARE(window.browser().folderPath(), window.folder());
    }

    void aFolderThatCannotBeReadLeavesTheListsAndSaysWhy() {
        WindowUnderTest window;
        window.makeFolder("gone");
        QVERIFY(window.choose("kept.txt", "1\r\n"));
        const QStringList foldersBefore = texts(window.folders());
        // The folder disappears between listing and opening.
        QDir(QString::fromStdString(window.folder())).rmdir(QStringLiteral("gone"));
        QVERIFY(clickEntry(window.folders(), "gone", true));
        QCOMPARE(window.browser().folderPath(), window.folder());
        QCOMPARE(texts(window.folders()), foldersBefore);
        QCOMPARE(texts(window.files()), QStringList{"kept.txt"});
        QCOMPARE(window.core().mSelectedFile, window.folder() + "/kept.txt");
        const QString status = window.find<QLabel>("StatusLine")->text();
        QVERIFY2(status.contains("gone") && status.contains("No such file"), qPrintable(status));
    }

    void choosingAnotherDriveMovesTheFoldersAndRemembersWhereEachWas() {
        WindowUnderTest window;
        // A second file system mounted at a folder of its own.
        window.makeFolder("mnt/usb/photos");
        window.makeFolder("work");
        const std::string usb = window.folder() + "/mnt/usb";
        window.browser().showDrives({{usb, QStringLiteral("USB")}, {"/", {}}});
        auto* drives = window.find<QComboBox>("Drive1");
        QCOMPARE(drives->itemText(1), QString::fromStdString(usb + "  [USB]"));

        window.browser().openFolder(window.folder() + "/work");
        drives->setFocus();
        QTest::keyClick(drives, Qt::Key_Down);  // picks the next drive
        QCOMPARE(window.browser().folderPath(), usb);
        window.browser().openFolder(usb + "/photos");
        QTest::keyClick(drives, Qt::Key_Up);
        QCOMPARE(window.browser().folderPath(), window.folder() + "/work");
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(window.browser().folderPath(), usb + "/photos");
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
