// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <random>

#include "NumberList.h"

using kelvane::NumberList;

class NumberListTest : public QObject {
    Q_OBJECT
  private slots:
    void anyBytesRoundTripUnchanged();
    void appendedPiecesMakeTheSameTextAsOneSet();
    void lockedListTakesNoTypingButTheProgramStillWrites();
    void undoNeverReachesBackIntoTheProgramsOwnChanges();
};

void NumberListTest::anyBytesRoundTripUnchanged() {
    NumberList list;
    const std::string awkward(
        "1\r\n\r\n2\n3\r4\x00"
        "5\xff\xfe\xe2\x82\r\n\xef\xbb\xbf"
        "6",
        20);
    list.setBytes(awkward);
    QCOMPARE(list.bytes(), awkward);

    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    list.setBytes(noise);
    QCOMPARE(list.bytes(), noise);
    list.setBytes("");
    QCOMPARE(list.bytes(), std::string());
}

void NumberListTest::appendedPiecesMakeTheSameTextAsOneSet() {
    NumberList list;
    list.setBytes("old\r\n");
    list.setBytes("111\r\n");
    list.appendBytes("222\r\n");
    list.appendBytes("");
    list.appendBytes("333\r\n");
    QCOMPARE(list.bytes(), std::string("111\r\n222\r\n333\r\n"));
    QCOMPARE(list.lineCount(), 4L);  // three lines and the empty one after the last break
}

void NumberListTest::lockedListTakesNoTypingButTheProgramStillWrites() {
    NumberList list;
    list.show();
    list.setFocus();
    list.setLocked(true);
    list.setBytes("1\r\n");
    list.appendBytes("2\r\n");
    QTest::keyClicks(&list, QStringLiteral("x"));
    QCOMPARE(list.bytes(), std::string("1\r\n2\r\n"));
    QVERIFY(list.isReadOnly());

    list.setLocked(false);
    QTest::keyClicks(&list, QStringLiteral("9"));
    QCOMPARE(list.bytes().size(), std::string("1\r\n2\r\n").size() + 1);
}

void NumberListTest::undoNeverReachesBackIntoTheProgramsOwnChanges() {
    NumberList list;
    list.setBytes("1\r\n");
    list.appendBytes("2\r\n");
    QVERIFY(!list.isUndoAvailable());
    list.undo();
    QCOMPARE(list.bytes(), std::string("1\r\n2\r\n"));
}

QTEST_MAIN(NumberListTest)
#include "NumberListTest.moc"
