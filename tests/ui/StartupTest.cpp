// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <fstream>
#include <map>

#include "ChildProcess.h"
#include "WindowTesting.h"
#include "base/HugePages.h"
#include "core/Module1.h"
#include "startup/CommandLine.h"
#include "startup/DisplayCheck.h"
#include "startup/frmSplash.h"
#include "ui/Form1.h"

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

    // The program's own allocation function, linked in here as in the program.
    void largeBlocksStartOnAHugePageAndAFailedAllocationAsksTheNewHandler() {
#ifndef KELVANE_HUGE_ALLOCATIONS
        QSKIP("the sanitizers' allocator replaces the program's");
#endif
        for (const std::size_t size :
             {kHugePage - 1, kHugePage, kHugePage + 1, 2 * kHugePage - 1}) {
            auto* block = static_cast<char*>(::operator new(size));
            QVERIFY(::malloc_usable_size(block) >= size);
            block[size - 1] = 1;
            QVERIFY(size < kHugePage || reinterpret_cast<std::uintptr_t>(block) % kHugePage == 0);
            ::operator delete(block);
        }

        // Room for the block only once the new handler frees the reserve, whatever the heap holds
        // free; with no handler left, an impossible size throws.
        constexpr std::size_t kBlock = std::size_t{256} << 20;
        static void* reserve = nullptr;
        const auto roomForTheBlock = [] {
            std::size_t pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            const rlim_t bytes = pages * ::sysconf(_SC_PAGESIZE) + kBlock + (32 << 20);
            const rlimit limit{bytes, bytes};
            return ::setrlimit(RLIMIT_AS, &limit) == 0 && (reserve = std::malloc(kBlock));
        };
        const auto report = testing::runInChild(roomForTheBlock, [] {
            std::set_new_handler([] {
                std::free(std::exchange(reserve, nullptr));
                std::set_new_handler(nullptr);
            });
            std::string report;
            try {
                static_cast<char*>(::operator new(kBlock))[kBlock - 1] = 1;
                report = reserve ? "kept" : "freed";
                (void)::operator new(SIZE_MAX / 2);
            } catch (const std::bad_alloc&) {
                return report + ", then bad_alloc";
            }
            return report + ", then allocated";
        });
        QCOMPARE(QString::fromStdString(report.value_or("died")), "freed, then bad_alloc");
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
