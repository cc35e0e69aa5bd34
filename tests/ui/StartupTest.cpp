// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <map>

#include "DisplayCheck.h"
#include "Form1.h"
#include "Module1.h"
#include "frmSplash.h"

using namespace kelvane;

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void splashLoadsTheMainWindowHiddenAndItsTimerHandsOver() {
        Module1::gNextIndex = 9;
        frmSplash splash;
        QCOMPARE(Module1::gNextIndex, 1);  // the main window's load step has run
        QVERIFY(!splash.mainWindow()->isVisible());
        QCOMPARE(splash.mainWindow()->windowTitle(), QStringLiteral("::: Halvorin:::"));
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
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
