// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <filesystem>

#include "FileBrowser.h"
#include "FolderListing.h"
#include "TextFile.h"
#include "WindowTesting.h"

using namespace kelvane;
using namespace kelvane::testing;

class FileBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void startsAtTheCurrentFolder();
    void listsTxtFilesOnlyWhateverTheirCaseSortedByName();
    void clickRecordsFolderSeparatorAndName();
    void aFileAtTheRootIsRecordedWithTwoSeparatorsAndStillOpens();
    void folderListShowsAncestorsAboveAndSubfoldersBelow();
    void openingAnotherFolderForgetsTheChosenFile();
    void aFolderThatCannotBeReadLeavesTheListsAndSaysWhy();
    void choosingAnotherDriveMovesTheFoldersAndRemembersWhereEachWas();
};

void FileBrowserTest::startsAtTheCurrentFolder() {
    const QString previous = QDir::currentPath();
    QTemporaryDir start;
    QVERIFY(QDir::setCurrent(start.path()));
    WindowUnderTest window;
    QDir::setCurrent(previous);
    const std::string canonical = std::filesystem::canonical(start.path().toStdString()).string();
    QCOMPARE(window.form().browser().folderPath(), canonical);
    QCOMPARE(window.form().browser().fileListPath(), canonical);
    QCOMPARE(window.find<QComboBox>("Drive1")->itemText(0), QStringLiteral("/"));
}

void FileBrowserTest::listsTxtFilesOnlyWhateverTheirCaseSortedByName() {
    WindowUnderTest window;
    for (const char* name :
         {"b.txt", "LIST.TXT", "a.Txt", "c.csv", "notes.txt.bak", ".hidden.txt", "txt"}) {
        window.write(name, "1\r\n");
    }
    QDir(QString::fromStdString(window.folder())).mkdir(QStringLiteral("folder.txt"));
    window.browseFolder();
    // A hidden list file is listed too: a save may replace it.
    QCOMPARE(texts(window.files()), (QStringList{".hidden.txt", "a.Txt", "b.txt", "LIST.TXT"}));
}

void FileBrowserTest::clickRecordsFolderSeparatorAndName() {
    WindowUnderTest window;
    QCOMPARE(window.form().core().mSelectedFile, std::nullopt);  // nothing until a first choice
    window.write("one.txt", "1\r\n");
    window.browseFolder();
    QCOMPARE(window.form().core().mSelectedFile, std::string());
    QVERIFY(clickEntry(window.files(), "one.txt"));
    QCOMPARE(window.form().core().mSelectedFile, window.folder() + "/one.txt");
    QCOMPARE(window.form().browser().selectedFileName(), std::string("one.txt"));
}

void FileBrowserTest::aFileAtTheRootIsRecordedWithTwoSeparatorsAndStillOpens() {
    QCOMPARE(FileSystemObject::chosenFilePath("/", "list.txt"), std::string("//list.txt"));
    QCOMPARE(FileSystemObject::chosenFilePath("/home/ann", "list.txt"), std::string("/home/ann/list.txt"));
    // The doubled separator opens the same file.
    WindowUnderTest window;
    const std::string path = window.write("root.txt", "12\r\n");
    window.form().core().selectFile("/" + path);
    QTest::mouseClick(window.find<QWidget>("Command7"), Qt::LeftButton);
    QCOMPARE(window.listBytes(), std::string("12\r\n"));
    QVERIFY(window.messages().isEmpty());
    // And the target of a save into the root has one separator only.
    QCOMPARE(FileSystemObject::buildPath("/", "out.txt"), std::string("/out.txt"));
}

void FileBrowserTest::folderListShowsAncestorsAboveAndSubfoldersBelow() {
    WindowUnderTest window;
    QDir base(QString::fromStdString(window.folder()));
    base.mkdir(QStringLiteral("beta"));
    base.mkdir(QStringLiteral("Alpha"));
    window.browseFolder();
    QStringList expected;
    for (const std::string& folder : folderChain(window.folder())) {
        expected << QString::fromStdString(folderDisplayName(folder));
    }
    QCOMPARE(expected.front(), QStringLiteral("/"));
    expected << "Alpha"
             << "beta";
    QCOMPARE(texts(window.folders()), expected);

    // Enter on the parent folder goes up one level.
    QListWidget* folders = window.folders();
    folders->setFocus();
    folders->setCurrentRow(expected.size() - 4);
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(window.form().browser().folderPath(),
             std::filesystem::path(window.folder()).parent_path().string());
}

void FileBrowserTest::openingAnotherFolderForgetsTheChosenFile() {
    WindowUnderTest window;
    QDir(QString::fromStdString(window.folder())).mkdir(QStringLiteral("sub"));
    window.write("sub/inner.txt", "1\r\n");
    window.write("top.txt", "1\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "top.txt"));

    QVERIFY(doubleClickEntry(window.folders(), "sub"));
    QCOMPARE(window.form().browser().folderPath(), window.folder() + "/sub");
    QCOMPARE(window.form().browser().fileListPath(), window.folder() + "/sub");
    QCOMPARE(texts(window.files()), QStringList{"inner.txt"});
    QCOMPARE(window.form().core().mSelectedFile, std::string());
}

void FileBrowserTest::aFolderThatCannotBeReadLeavesTheListsAndSaysWhy() {
    WindowUnderTest window;
    QDir(QString::fromStdString(window.folder())).mkdir(QStringLiteral("gone"));
    window.write("kept.txt", "1\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "kept.txt"));
    const QStringList foldersBefore = texts(window.folders());
    // The folder disappears between listing and opening.
    QDir(QString::fromStdString(window.folder())).rmdir(QStringLiteral("gone"));
    QVERIFY(doubleClickEntry(window.folders(), "gone"));

    QCOMPARE(window.form().browser().folderPath(), window.folder());
    QCOMPARE(texts(window.folders()), foldersBefore);
    QCOMPARE(texts(window.files()), QStringList{"kept.txt"});
    QCOMPARE(window.form().core().mSelectedFile, window.folder() + "/kept.txt");
    const QString status = window.find<QLabel>("StatusLine")->text();
    QVERIFY2(
        status.contains(QStringLiteral("gone")) && status.contains(QStringLiteral("No such file")),
        qPrintable(status));
}

void FileBrowserTest::choosingAnotherDriveMovesTheFoldersAndRemembersWhereEachWas() {
    WindowUnderTest window;
    // A second file system mounted at a folder of its own.
    QDir base(QString::fromStdString(window.folder()));
    base.mkpath(QStringLiteral("mnt/usb/photos"));
    base.mkdir(QStringLiteral("work"));
    const std::string usb = window.folder() + "/mnt/usb";
    window.write("mnt/usb/card.txt", "1\r\n");
    window.write("work/w.txt", "1\r\n");
    FileBrowser& browser = window.form().browser();
    browser.showDrives({{usb, QStringLiteral("USB")}, {"/", {}}});
    auto* drives = window.find<QComboBox>("Drive1");
    QCOMPARE(drives->itemText(0), QStringLiteral("/"));
    QCOMPARE(drives->itemText(1), QString::fromStdString(usb + "  [USB]"));

    browser.openFolder(window.folder() + "/work");
    QVERIFY(clickEntry(window.files(), "w.txt"));
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);  // picks the next drive
    QCOMPARE(browser.folderPath(), usb);
    QCOMPARE(texts(window.files()), QStringList{"card.txt"});
    QCOMPARE(window.form().core().mSelectedFile, std::string());

    browser.openFolder(usb + "/photos");
    QTest::keyClick(drives, Qt::Key_Up);
    QCOMPARE(browser.folderPath(), window.folder() + "/work");
    QTest::keyClick(drives, Qt::Key_Down);
    QCOMPARE(browser.folderPath(), usb + "/photos");
}

QTEST_MAIN(FileBrowserTest)
#include "FileBrowserTest.moc"
