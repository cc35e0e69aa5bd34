// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QTest>
#include <map>

#include "DisplayCheck.h"
#include "Form1.h"
#include "Module1.h"
#include "WindowTesting.h"
#include "frmSplash.h"

using namespace kelvane;
using namespace kelvane::testing;
using Box = ScriptedMessageBox;

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void splashLoadsTheMainWindowHiddenAndItsTimerHandsOver() {
        Module1::gNextIndex = 9;
        frmSplash splash;
        QCOMPARE(Module1::gNextIndex, 1);  // the main window's load step has run
        QVERIFY(!splash.mainWindow()->isVisible());
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(splash.mainWindow()->isVisible(), 20000);
        QVERIFY(!splash.isVisible());
    }

    void closingTheSplashEarlyShowsTheMainWindowAtOnce() {
        frmSplash splash;
        splash.show();
        splash.Timer1_Timer();
        QVERIFY(!splash.mainWindow()->isVisible());
        splash.close();
        QVERIFY(splash.mainWindow()->isVisible());
    }

    void aFileNamedAtStartOpensOnceTheSplashHasGone() {
        MessageBox::setStandIn(Box::ask);
        TempFolder folder;
        frmSplash splash;
        splash.openOnShow(folder.write("words.txt", "not a number\r\n"));
        bool splashGone = false, mainShown = false;
        Box::whileShown = [&] {
            splashGone = !splash.isVisible();
            mainShown = splash.mainWindow()->isVisible();
        };
        splash.show();
        for (int tick = 0; tick < 5; ++tick) splash.Timer1_Timer();
        QTRY_COMPARE(Box::shown.size(), 1);  // the load's error
        QVERIFY(splashGone && mainShown);
        MessageBox::setStandIn({});
    }

    void aDisplayIsFoundInAnyOfTheThreeVariables() {
        const auto withEnvironment = [](std::map<std::string, std::string> values) {
            return displayAvailable([&values](const char* name) -> const char* {
                const auto found = values.find(name);
                return found == values.end() ? nullptr : found->second.c_str();
            });
        };
        QVERIFY(!withEnvironment({{"DISPLAY", ""}, {"HOME", "/root"}}));
        QVERIFY(withEnvironment({{"DISPLAY", ":0"}}));
        QVERIFY(withEnvironment({{"WAYLAND_DISPLAY", "wayland-0"}}));
        QVERIFY(withEnvironment({{"QT_QPA_PLATFORM", "offscreen"}}));
    }

    void aDisplayThatDoesNotAnswerIsNamedOnOneLine() {
        int number = 55;  // a display that no server holds
        while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
               QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            ++number;
        const QString display = QStringLiteral(":%1").arg(number);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KELVANE_PROGRAM), {});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardError(),
                 "kelvane: cannot reach the display " + display.toLatin1() + "\n");
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
