// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <random>

#include "NumberList.h"

using kelvane::NumberList;

class NumberListTest : public QObject {
    Q_OBJECT
  private slots:
    void anyBytesRoundTripUnchangedAndLeaveNothingToUndo() {
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
        QVERIFY(!list.isUndoAvailable());
        list.undo();
        QCOMPARE(list.bytes(), "1\r\n" + awkward);
    }
};

QTEST_MAIN(NumberListTest)
#include "NumberListTest.moc"
