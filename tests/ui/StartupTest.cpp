// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <QTimer>
#include <map>
#include <string>

#include "DisplayCheck.h"
#include "Form1.h"
#include "MessagePrompt.h"
#include "Module1.h"
#include "frmSplash.h"

using namespace kelvane;

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void splashLoadsTheMainWindowHiddenBeforeItShows();
    void fifthTickShowsTheMainWindowAndEndsTheSplash();
    void theRealTimerHandsOverOnItsOwn();
    void closingTheSplashEarlyShowsTheMainWindowAtOnce();
    void aDisplayIsFoundInAnyOfTheThreeVariables();
};

void StartupTest::splashLoadsTheMainWindowHiddenBeforeItShows() {
    Module1::gNextIndex = 9;
    ScriptedMessagePrompt prompt;
    frmSplash splash(&prompt);
    QCOMPARE(Module1::gNextIndex, 1);
    QVERIFY(splash.mainWindow());
    QVERIFY(!splash.mainWindow()->isVisible());
    QCOMPARE(splash.size(), QSize(496, 288));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 500);
}

void StartupTest::fifthTickShowsTheMainWindowAndEndsTheSplash() {
    ScriptedMessagePrompt prompt;
    frmSplash splash(&prompt);
    splash.show();
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    for (int tick = 1; tick <= 4; ++tick) {
        splash.Timer1_Timer();
        QVERIFY(!splash.mainWindow()->isVisible());
        QVERIFY(splash.isVisible());
    }
    splash.Timer1_Timer();
    QVERIFY(splash.mainWindow()->isVisible());
    QVERIFY(!splash.isVisible());
    QVERIFY(!timer->isActive());  // no sixth tick
    QCOMPARE(splash.tickCount(), std::int16_t{5});
}

void StartupTest::theRealTimerHandsOverOnItsOwn() {
    ScriptedMessagePrompt prompt;
    frmSplash splash(&prompt);
    splash.show();
    QTRY_VERIFY_WITH_TIMEOUT(splash.mainWindow()->isVisible(), 20000);
    QVERIFY(!splash.isVisible());
}

void StartupTest::closingTheSplashEarlyShowsTheMainWindowAtOnce() {
    ScriptedMessagePrompt prompt;
    frmSplash splash(&prompt);
    splash.show();
    splash.Timer1_Timer();
    splash.close();
    QVERIFY(splash.mainWindow()->isVisible());
    QVERIFY(!splash.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

void StartupTest::aDisplayIsFoundInAnyOfTheThreeVariables() {
    const auto withEnvironment = [](std::map<std::string, std::string> values) {
        return displayAvailable([&values](const char* name) -> const char* {
            const auto found = values.find(name);
            return found == values.end() ? nullptr : found->second.c_str();
        });
    };
    QVERIFY(!withEnvironment({}));
    QVERIFY(!withEnvironment({{"DISPLAY", ""}, {"HOME", "/root"}}));
    QVERIFY(withEnvironment({{"DISPLAY", ":0"}}));
    QVERIFY(withEnvironment({{"WAYLAND_DISPLAY", "wayland-0"}}));
    QVERIFY(withEnvironment({{"QT_QPA_PLATFORM", "offscreen"}}));
    QVERIFY(kNoDisplayMessage.find("xvfb-run") != std::string_view::npos);
    QVERIFY(kNoDisplayMessage.find('\n') == std::string_view::npos);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
