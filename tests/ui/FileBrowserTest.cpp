// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <filesystem>

#include "WindowTesting.h"

using namespace kelvane;
using namespace kelvane::testing;

class FileBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void startsAtTheCurrentFolder() {
        const QString previous = QDir::currentPath();
        TempFolder start;
        QVERIFY(QDir::setCurrent(QString::fromStdString(start.path().string())));
        WindowUnderTest window;
        QDir::setCurrent(previous);
        QCOMPARE(window.browser().fileListPath(),
                 std::filesystem::canonical(start.path()).string());
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

    void folderListShowsAncestorsAboveAndSubfoldersBelow() {
        WindowUnderTest window;
        window.makeFolder("beta");
        window.makeFolder("Alpha");
        window.write("beta/inner.txt", "1\r\n");
        QVERIFY(window.choose("top.txt", "1\r\n"));
        QStringList chain = QString::fromStdString(window.folder()).split('/', Qt::SkipEmptyParts);
        chain.prepend("/");
        QCOMPARE(texts(window.folders()), (chain + QStringList{"Alpha", "beta"}));

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
        FileBrowser& browser = window.browser();
        browser.showDrives({{usb, QStringLiteral("USB")}, {"/", {}}});
        auto* drives = window.find<QComboBox>("Drive1");
        QCOMPARE(drives->itemText(1), QString::fromStdString(usb + "  [USB]"));

        browser.openFolder(window.folder() + "/work");
        drives->setFocus();
        QTest::keyClick(drives, Qt::Key_Down);  // picks the next drive
        QCOMPARE(browser.folderPath(), usb);
        browser.openFolder(usb + "/photos");
        QTest::keyClick(drives, Qt::Key_Up);
        QCOMPARE(browser.folderPath(), window.folder() + "/work");
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(browser.folderPath(), usb + "/photos");
    }
};

QTEST_MAIN(FileBrowserTest)
#include "FileBrowserTest.moc"
