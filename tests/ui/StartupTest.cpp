// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <map>
#include <string>

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
        using Environment = std::map<std::string, std::string>;
        for (const auto& [values, found] : std::initializer_list<std::pair<Environment, bool>>{
                 {{}, false},
                 {{{"DISPLAY", ""}, {"HOME", "/root"}}, false},
                 {{{"DISPLAY", ":0"}}, true},
                 {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
                 {{{"QT_QPA_PLATFORM", "offscreen"}}, true}}) {
            QCOMPARE(displayAvailable([&values](const char* name) -> const char* {
                         const auto it = values.find(name);
                         return it == values.end() ? nullptr : it->second.c_str();
                     }),
                     found);
        }
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
