// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "FileBrowser.h"
#include "Module1.h"
#include "NumberList.h"
#include "WindowTesting.h"

using namespace kelvane;
using namespace kelvane::testing;

namespace {

// How many pixels of `image` are dark enough to be text.
int inkIn(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT
  private slots:
    void startsAsTheControlTableSays();
    void textBoxesStopAtTheirMaximumLength();
    void tabAndShiftTabMoveThroughTheTableAndTypeNothing();
    void openLoadsTheClickedFileWithoutYielding();
    void doubleClickLoadsTheFileLiveAndEnterDoesToo();
    void openWithoutASelectionReportsTheLoadError();
    void removeDuplicatesRebuildsTheListAndShowsTheWholeSummary();
    void saveAsksBeforeReplacingAListedFile();
    void aLongNameIsShownWholeWhileFileSavedIsShown();
    void sideBoxShowsBytesThatAreNotUtf8AsLatin1();
    void modalBoxHasNoIconAndEscapeCancels();
    void controlsAreLockedWhileAnOperationYieldsAndASecondIsRefused();
    void closingDuringARunStopsItCleanly();
    void droppingATextFileOpensItInItsFolder();
};

void Form1Test::startsAsTheControlTableSays() {
    Module1::gNextIndex = 500;
    WindowUnderTest window;
    QCOMPARE(Module1::gNextIndex, 1);
    Form1& form = window.form();
    QCOMPARE(form.windowTitle(), QStringLiteral("::: Halvorin:::"));
    QCOMPARE(window.find<QLineEdit>("Text3")->text(), QStringLiteral("12"));
    QCOMPARE(window.find<QLabel>("Label4")->text(), QStringLiteral("NON"));
    QCOMPARE(window.listBytes(), std::string());
    QVERIFY(window.find<QLineEdit>("Text4")->text().isEmpty());
    QVERIFY(window.find<QPlainTextEdit>("Text5")->toPlainText().isEmpty());
    auto* progress = window.find<QProgressBar>("ProgressBar1");
    QVERIFY(progress->isVisible());
    QCOMPARE(progress->value(), 0);
    QCOMPARE(progress->maximum(), 100000);
    QCOMPARE(form.core().mSelectedFile, std::nullopt);

    // Places in pixels at 15 twips each; "read file" lies beyond the right edge.
    QCOMPARE(form.centralWidget()->size() + QSize(0, 20), QSize(683, 480));
    QCOMPARE(window.find<QPushButton>("Command5")->geometry(), QRect(24, 72, 273, 179));
    QCOMPARE(window.files()->geometry(), QRect(8, 176, 177, 249));
    QVERIFY(window.find<QPushButton>("Command2")->x() > form.width());
    QCOMPARE(window.find<QPushButton>("Command5")->parentWidget()->objectName(),
             QStringLiteral("Frame3"));
    // Sizes come back to the designed fractions of a point.
    QCOMPARE(window.find<QLabel>("Label2")->font().pointSizeF(), 15.75);
    QCOMPARE(window.find<QLabel>("Label2")->font().family(), QStringLiteral("Arial Black"));
    QCOMPARE(form.font().pointSizeF(), 8.25);
    QCOMPARE(window.find<QLabel>("Label2")->palette().color(QPalette::WindowText),
             QColor(255, 255, 0));
}

void Form1Test::textBoxesStopAtTheirMaximumLength() {
    WindowUnderTest window;
    auto* width = window.find<QLineEdit>("Text3");
    width->clear();
    QTest::keyClicks(width, QStringLiteral("345"));
    QCOMPARE(width->text(), QStringLiteral("34"));
    auto* name = window.find<QLineEdit>("Text4");
    QTest::keyClicks(name, QString(31, QLatin1Char('n')));
    QCOMPARE(name->text().size(), 30);
}

void Form1Test::tabAndShiftTabMoveThroughTheTableAndTypeNothing() {
    WindowUnderTest window;
    window.write("plain.txt", "a\r\nb\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "plain.txt"));
    window.find<QWidget>("Text1")->setFocus();
    const auto pressFrom = [](Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        return QApplication::focusWidget()->objectName();
    };
    QStringList forward;
    for (int i = 0; i < 12; ++i) forward << pressFrom(Qt::NoModifier);
    QCOMPARE(forward, (QStringList{"Command2", "Text5", "Command5", "Text4", "Command11", "Drive1",
                                   "Dir1", "File1", "Command7", "text2", "Text3", "Text1"}));
    QStringList backward;
    for (int i = 0; i < 3; ++i) backward << pressFrom(Qt::ShiftModifier);
    QCOMPARE(backward, (QStringList{"Text3", "text2", "Command7"}));
    QCOMPARE(window.listBytes(), std::string());
    QVERIFY(window.find<QPlainTextEdit>("Text1")->toPlainText().isEmpty());

    // "read file" lies beyond the window's edge: the keyboard still reaches and runs it.
    window.find<QWidget>("Text1")->setFocus();
    QCOMPARE(pressFrom(Qt::NoModifier), QStringLiteral("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(window.find<QPlainTextEdit>("Text5")->toPlainText(), QStringLiteral("a\nb\n"));
}

void Form1Test::openLoadsTheClickedFileWithoutYielding() {
    WindowUnderTest window;
    window.write("list.txt", "123\r\n 456\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "list.txt"));
    QCOMPARE(window.form().core().mSelectedFile, window.folder() + "/list.txt");

    window.form().core().setYieldInterval(std::chrono::nanoseconds(0));
    bool ranDuringLoad = false;
    QTimer::singleShot(0, &window.form(), [&] { ranDuringLoad = window.form().core().busy(); });
    QTest::mouseClick(window.find<QPushButton>("Command7"), Qt::LeftButton);
    QVERIFY(!ranDuringLoad);  // "Open" holds the window until it has finished

    QCOMPARE(window.listBytes(), std::string("123\r\n 456\r\n"));
    QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  2"));
    QVERIFY(!window.find<QProgressBar>("ProgressBar1")->isVisible());
    QVERIFY(window.messages().isEmpty());
}

void Form1Test::doubleClickLoadsTheFileLiveAndEnterDoesToo() {
    WindowUnderTest window;
    window.write("a.txt", numberLines(300));
    window.write("b.txt", "7\r\n");
    window.browseFolder();
    window.form().core().setYieldInterval(std::chrono::nanoseconds(0));
    QStringList captionsSeen;
    connect(&window.form(), &QWidget::windowTitleChanged,
            [&](const QString& title) { captionsSeen << title; });

    QVERIFY(doubleClickEntry(window.files(), "a.txt"));
    QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  300"));
    QVERIFY(captionsSeen.contains(QStringLiteral("150")));  // the running count, line by line
    QCOMPARE(window.listBytes(), numberLines(300));

    // Enter on the selected file opens it the same way; the arrow key chose it.
    window.files()->setFocus();
    QTest::keyClick(window.files(), Qt::Key_Down);
    QCOMPARE(window.form().core().mSelectedFile, window.folder() + "/b.txt");
    QTest::keyClick(window.files(), Qt::Key_Return);
    QCOMPARE(window.listBytes(), std::string("7\r\n"));
    QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  1"));
}

void Form1Test::openWithoutASelectionReportsTheLoadError() {
    WindowUnderTest window;
    auto* bar = window.find<QProgressBar>("ProgressBar1");
    const QRect barArea(bar->mapTo(&window.form(), QPoint(0, 0)), bar->size());
    const QImage before = window.form().grab(barArea).toImage();
    QTest::mouseClick(window.find<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(window.messages(), QStringList{"Kelvane | OK | Error In Selected File May Be There Is "
                                            "Text With Numbers Please Check"});
    // Ended early: the bar stays where it was.
    QVERIFY(bar->isVisible());
    QVERIFY(!window.find<QLabel>("StatusLine")->text().isEmpty());
    // The bar lies over the status line's panel: the reason must be drawn where it can be read.
    QVERIFY(inkIn(window.form().grab(barArea).toImage()) > inkIn(before) + 100);
}

void Form1Test::removeDuplicatesRebuildsTheListAndShowsTheWholeSummary() {
    WindowUnderTest window;
    window.write("dups.txt", "111\r\n222\r\n111\r\n333\r\n222\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "dups.txt"));
    QTest::mouseClick(window.find<QPushButton>("Command5"), Qt::LeftButton);

    QCOMPARE(window.listBytes(), std::string("111\r\n222\r\n333\r\n"));
    auto* summary = window.find<QLabel>("Label4");
    QCOMPARE(summary->text(), QStringLiteral("Duplicates Found   2  Of Total:   5"));
    QVERIFY(summary->width() >= summary->sizeHint().width());
    QVERIFY(window.messages().isEmpty());

    // Nothing selected any more after a change of folder.
    window.browseFolder();
    QTest::mouseClick(window.find<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(window.messages(), QStringList{"Kelvane | OK | No File Selected"});
}

void Form1Test::saveAsksBeforeReplacingAListedFile() {
    WindowUnderTest window;
    QTest::mouseClick(window.find<QPushButton>("Command11"), Qt::LeftButton);
    QCOMPARE(window.messages(), QStringList{"Kelvane | OK | No Numbers To Save"});
    window.prompt().forget();

    const std::string target = window.write("out.txt", "old\r\n");
    window.write("list.txt", "5\r\n6\r\n");
    window.browseFolder();
    QVERIFY(doubleClickEntry(window.files(), "list.txt"));
    auto* name = window.find<QLineEdit>("Text4");
    QTest::keyClicks(name, QStringLiteral("out"));

    window.prompt().answerNext(MessageAnswer::Cancel);
    QTest::mouseClick(window.find<QPushButton>("Command11"), Qt::LeftButton);
    QCOMPARE(window.messages(), QStringList{"Note | OK+Cancel | File Name Exits Over Write  "});
    QCOMPARE(readFile(target), std::string("old\r\n"));
    QCOMPARE(name->text(), QStringLiteral("out"));
    window.prompt().forget();

    QTest::mouseClick(window.find<QPushButton>("Command11"), Qt::LeftButton);
    QCOMPARE(window.messages(), (QStringList{"Note | OK+Cancel | File Name Exits Over Write  ",
                                             "Kelvane | OK | File Saved"}));
    QCOMPARE(readFile(target), std::string("5\r\n6\r\n"));
    QVERIFY(name->text().isEmpty());
    QCOMPARE(window.form().core().mSelectedFile, std::string());
    QVERIFY(texts(window.files()).contains("out.txt"));
}

void Form1Test::aLongNameIsShownWholeWhileFileSavedIsShown() {
    WindowUnderTest window;
    window.write("list.txt", "1\r\n");
    window.browseFolder();
    QVERIFY(doubleClickEntry(window.files(), "list.txt"));
    auto* name = window.find<QLineEdit>("Text4");
    const QString thirty(30, QLatin1Char('n'));
    QTest::keyClicks(name, thirty);
    QString shownWithMessage;
    window.prompt().whileShown(
        [&](const ScriptedMessagePrompt::Shown&) { shownWithMessage = name->text(); });
    QTest::mouseClick(window.find<QPushButton>("Command11"), Qt::LeftButton);

    QCOMPARE(shownWithMessage, thirty + ".txt");
    QCOMPARE(readFile(window.folder() + "/" + thirty.toStdString() + ".txt"), std::string("1\r\n"));
    QVERIFY(name->text().isEmpty());
    QTest::keyClicks(name, thirty + "n");
    QCOMPARE(name->text(), thirty);  // the operator is held to 30 characters again

    // After a failed save the longer name stays, and still the operator gets only 30.
    const QString other(30, QLatin1Char('m'));
    QVERIFY(QDir(QString::fromStdString(window.folder())).mkdir(other + ".txt"));
    name->clear();
    QTest::keyClicks(name, other);
    QTest::mouseClick(window.find<QPushButton>("Command11"), Qt::LeftButton);
    QCOMPARE(window.messages().last(),
             QStringLiteral("Kelvane | OK | File Not Saved\nIs a directory"));
    QTest::keyClicks(name, QStringLiteral("n"));
    QCOMPARE(name->text(), other + ".txt");
    name->clear();
    QTest::keyClicks(name, thirty + "n");
    QCOMPARE(name->text(), thirty);
}

void Form1Test::sideBoxShowsBytesThatAreNotUtf8AsLatin1() {
    WindowUnderTest window;
    window.write("names.txt", "caf\xe9\r\nna\xc3\xafve\r\n");
    window.browseFolder();
    QVERIFY(clickEntry(window.files(), "names.txt"));
    QTest::mouseClick(window.find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(window.find<QPlainTextEdit>("Text5")->toPlainText(),
             QString::fromLatin1("caf\xe9\nna\xc3\xafve\n"));
}

void Form1Test::modalBoxHasNoIconAndEscapeCancels() {
    QWidget parent;
    ModalMessagePrompt prompt(&parent);
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = QStringLiteral("%1|%2|%3|%4")
                   .arg(box->windowTitle(), box->text())
                   .arg(box->icon() == QMessageBox::NoIcon)
                   .arg(box->defaultButton() == box->button(QMessageBox::Ok));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    const MessageAnswer answer =
        prompt.ask("File Name Exits Over Write  ", MessageButtons::OkCancel, "Note");
    QCOMPARE(answer, MessageAnswer::Cancel);
    QCOMPARE(seen, QStringLiteral("Note|File Name Exits Over Write  |1|1"));

    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    QCOMPARE(prompt.ask("File Saved", MessageButtons::Ok, "Kelvane"), MessageAnswer::Ok);
}

void Form1Test::controlsAreLockedWhileAnOperationYieldsAndASecondIsRefused() {
    WindowUnderTest window;
    window.write("big.txt", numberLines(2000));
    window.write("other.txt", "9\r\n");
    window.browseFolder();
    window.form().core().setYieldInterval(std::chrono::nanoseconds(0));

    QStringList enabledDuringRun;
    bool listEditable = true;
    QString statusAfterDrop;
    QTimer::singleShot(0, &window.form(), [&] {
        for (const char* name :
             {"Command7", "Command5", "Command11", "Command2", "File1", "Text3", "Text4"}) {
            if (window.find<QWidget>(name)->isEnabled()) enabledDuringRun << name;
        }
        listEditable = !window.find<NumberList>("text2")->isReadOnly();
        // A file dropped now would start a second load; it is turned away.
        dropFile(&window.form(), window.folder() + "/other.txt");
        statusAfterDrop = window.find<QLabel>("StatusLine")->text();
    });
    QVERIFY(doubleClickEntry(window.files(), "big.txt"));
    QVERIFY2(statusAfterDrop.startsWith(QStringLiteral("Wait until")), qPrintable(statusAfterDrop));

    QCOMPARE(enabledDuringRun, QStringList());
    QVERIFY(!listEditable);
    QCOMPARE(window.listBytes(), numberLines(2000));
    QCOMPARE(window.form().core().mSelectedFile, window.folder() + "/big.txt");
    QVERIFY(window.find<QPushButton>("Command7")->isEnabled());
    QVERIFY(window.files()->isEnabled());
    QVERIFY(!window.find<NumberList>("text2")->isReadOnly());
    QCOMPARE(QApplication::focusWidget(), window.files());  // focus goes back where it was
}

void Form1Test::closingDuringARunStopsItCleanly() {
    WindowUnderTest window;
    window.write("big.txt", numberLines(5000));
    window.browseFolder();
    window.form().core().setYieldInterval(std::chrono::nanoseconds(0));
    QTimer::singleShot(0, &window.form(), [&] { window.form().close(); });
    QVERIFY(doubleClickEntry(window.files(), "big.txt"));

    QVERIFY(!window.form().isVisible());
    QVERIFY(!window.form().core().busy());
    QVERIFY(window.messages().isEmpty());
    QVERIFY(window.listBytes().size() < numberLines(5000).size());
    QCOMPARE(window.find<QLabel>("StatusLine")->text(), QStringLiteral("Opening stopped"));
}

void Form1Test::droppingATextFileOpensItInItsFolder() {
    WindowUnderTest window;
    const QDir base(QString::fromStdString(window.folder()));
    base.mkdir(QStringLiteral("inner"));
    const std::string path = window.folder() + "/inner/Dropped.TXT";
    std::ofstream(path, std::ios::binary) << "42\r\n43\r\n";
    window.write("notes.csv", "x");

    QVERIFY(!dropFile(&window.form(), window.folder() + "/notes.csv"));
    QVERIFY(dropFile(&window.form(), path));

    QCOMPARE(window.form().browser().folderPath(), window.folder() + "/inner");
    QCOMPARE(window.files()->currentItem()->text(), QStringLiteral("Dropped.TXT"));
    QCOMPARE(window.listBytes(), std::string("42\r\n43\r\n"));
    QCOMPARE(window.form().windowTitle(), QStringLiteral("Total Numbers In File  2"));
}

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
