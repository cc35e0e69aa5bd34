// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QTest>
#include <map>

#include "CommandLine.h"
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
    void splashLoadsTheMainWindowHiddenAndHandsOverBeforeTheFileNamedOpens() {
        MessageBox::setStandIn(Box::ask);
        TempFolder folder;
        Module1::gNextIndex = 9;
        frmSplash splash;
        QCOMPARE(Module1::gNextIndex, 1);  // the main window's load step has run
        QVERIFY(!splash.mainWindow()->isVisible());
        QCOMPARE(splash.mainWindow()->windowTitle(), QStringLiteral("::: Halvorin:::"));
        splash.openOnShow(folder.write("words.txt", "not a number\r\n"));
        Box::whileShown = [&] { QVERIFY(!splash.isVisible() && splash.mainWindow()->isVisible()); };
        splash.show();
        QTRY_COMPARE_WITH_TIMEOUT(Box::shown.size(), 1, 20000);  // the load's error
        MessageBox::setStandIn({});
    }

    void closingTheSplashEarlyShowsTheMainWindowAtOnce() {
        frmSplash splash;
        splash.show();
        splash.Timer1_Timer();
        QVERIFY(!splash.mainWindow()->isVisible());
        splash.close();
        QVERIFY(splash.mainWindow()->isVisible());
    }

    void theCommandLineTakesARegionTheLibraryKnowsAndAFile() {
        const CommandLine line = readCommandLine({"--region", "il", "list.txt"});
        QCOMPARE(line.region + " " + line.file, std::string("IL list.txt"));
        for (const std::vector<std::string>& refused :
             {std::vector<std::string>{"--region", "ZZ"}, {"--region"}, {"a.txt", "b.txt"}}) {
            QCOMPARE(readCommandLine(refused).ask, CommandLine::Ask::Refused);
        }
    }

    void aDisplayIsFoundInAnyOfTheThreeVariablesAndOneThatDoesNotAnswerIsNamed() {
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

        // A display given that does not answer is named on one line.
        int number = 55;  // a display that no server holds
        while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) ++number;
        const QString display = QStringLiteral(":%1").arg(number);
        QProcess program;
        program.start(QStringLiteral("env"), {"-u", "QT_QPA_PLATFORM", "-u", "WAYLAND_DISPLAY",
                                              "DISPLAY=" + display, KELVANE_PROGRAM});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardError(),
                 "kelvane: cannot reach the display " + display.toLatin1() + "\n");
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
