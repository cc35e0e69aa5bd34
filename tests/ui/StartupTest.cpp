// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <fstream>
#include <map>
#include <set>

#include "ChildProcess.h"
#include "WindowTesting.h"
#include "base/HugePages.h"
#include "core/Module1.h"
#include "startup/CommandLine.h"
#include "startup/DisplayCheck.h"
#include "startup/PlatformPlugins.h"
#include "startup/frmSplash.h"
#include "ui/Form1.h"

using namespace kelvane;
using namespace kelvane::testing;
using Box = ScriptedMessageBox;
namespace fs = std::filesystem;

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
        Box::whileShown = {};
        MessageBox::setStandIn({});
    }

    void theCommandLineTakesARegionTheLibraryKnowsAndAFile() {
        const CommandLine line = readCommandLine({"--region", "il", "list.txt"});
        QCOMPARE(line.region + " " + line.file, std::string("IL list.txt"));
        for (const std::vector<std::string>& refused :
             {std::vector<std::string>{"--region", "ZZ"}, {"--region"}, {"a.txt", "b.txt"}})
            QCOMPARE(readCommandLine(refused).ask, CommandLine::Ask::Refused);
    }

    void theWindowOpensAFileNamedAnyWayAShellHandsItOverAndSaysWhenItCannot() {
        MessageBox::setStandIn(Box::ask);
        TempFolder folder;
        const fs::path root = folder.path();
        fs::create_directories(root / "lists");
        fs::create_directories(root / "links");
        const std::string calls = folder.write("lists/calls.txt", "0501234567\r\n");
        fs::create_symlink(calls, root / "links/called.txt");
        fs::create_directory_symlink(root / "lists", root / "links/deep");
        const fs::path startedIn = fs::current_path();
        fs::current_path(root / "lists");
        // Each as a shell hands it over; ".." after a link goes where the link leads.
        const std::pair<std::string, QString> named[] = {
            {"calls.txt", "calls.txt"},
            {calls, "calls.txt"},
            {"../links/called.txt", "called.txt"},
            {"../links/deep/../lists/calls.txt", "calls.txt"},
            {"missing.txt", "Kelvane | OK | Cannot open missing.txt: No such file or directory"},
            {"../lists", "Kelvane | OK | Cannot open ../lists: Is a directory"},
        };
        for (const auto& [argument, shown] : named) {
            Box::shown.clear();
            frmSplash splash;
            splash.openOnShow(argument);
            splash.show();
            splash.close();  // hands over at once
            Form1& form = *splash.mainWindow();
            if (shown.startsWith("Kelvane")) {
                QTRY_COMPARE(Box::shown, QStringList{shown});
                QCOMPARE(form.windowTitle(), QStringLiteral("::: Halvorin:::"));
                continue;
            }
            QTRY_COMPARE(form.windowTitle(), QStringLiteral("Total Numbers In File  1"));
            QCOMPARE(form.findChild<QListWidget*>("File1")->currentItem()->text(), shown);
            QVERIFY(Box::shown.isEmpty());
        }
        fs::current_path(startedIn);
        MessageBox::setStandIn({});
    }

    void theDisplayCheckedIsTheOneQtTakesAndEveryOneTriedIsNamedWhenNoneAnswers() {
        TempFolder runtime;  // XDG_RUNTIME_DIR, with a Wayland socket that takes connections
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        (runtime.path() / "wayland-0").string().copy(address.sun_path, sizeof address.sun_path - 1);
        QVERIFY(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(::listen(socket, 8) == 0);
        int number = 55;  // an X display that no server holds
        while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) ++number;
        const std::string deadX = ":" + std::to_string(number);

        using Environment = std::map<std::string, std::string>;
        const std::set<std::string> x11{"xcb", "offscreen"}, both{"xcb", "wayland", "offscreen"};
        const std::string noWaylandPlugin =
            "no Qt platform plugin \"wayland\" for the Wayland display wayland-0 (Debian's "
            "qt6-wayland has it)";
        const std::tuple<Environment, std::set<std::string>, std::string> cases[] = {
            {{{"DISPLAY", deadX}, {"WAYLAND_DISPLAY", "wayland-0"}},
             x11,
             noWaylandPlugin + "; cannot reach the display " + deadX},
            {{{"DISPLAY", deadX}, {"WAYLAND_DISPLAY", "wayland-0"}}, both, "opens"},
            {{{"XDG_SESSION_TYPE", "wayland"}}, both, "opens"},  // libwayland's own default name
            {{{"DISPLAY", deadX}, {"WAYLAND_DISPLAY", "gone"}},
             both,
             "cannot reach the Wayland display gone; cannot reach the display " + deadX},
            {{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", deadX}, {"WAYLAND_DISPLAY", "wayland-0"}},
             both,
             "cannot reach the display " + deadX},
            {{{"DISPLAY", ""}, {"HOME", "/root"}}, both, std::string(kNoDisplayMessage)},
        };
        const auto check = [](const Environment& values, const std::set<std::string>& plugins) {
            HeldDisplay held;
            return displayRefusal(
                       [&values](const char* name) -> const char* {
                           const auto found = values.find(name);
                           return found == values.end() ? nullptr : found->second.c_str();
                       },
                       plugins, held)
                .value_or("opens");
        };
        for (const auto& [given, plugins, expected] : cases) {
            Environment values = given;
            values["XDG_RUNTIME_DIR"] = runtime.path().string();
            QCOMPARE(check(values, plugins), expected);
        }
        // A relative Wayland name lies in XDG_RUNTIME_DIR, an absolute one anywhere.
        QCOMPARE(check({{"WAYLAND_DISPLAY", "wayland-0"}}, both),
                 std::string("cannot reach the Wayland display wayland-0; DISPLAY is unset"));
        QCOMPARE(check({{"WAYLAND_DISPLAY", (runtime.path() / "wayland-0").string()}}, both),
                 std::string("opens"));
        // An X server that answers, after the Wayland display that does not. Xvfb chooses a
        // free display and names it once it takes connections.
        QProcess xServer;
        xServer.start(QStringLiteral("Xvfb"),
                      {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "64x64x8"});
        QVERIFY(xServer.waitForReadyRead(-1));
        const std::string liveX = ":" + xServer.readAllStandardOutput().trimmed().toStdString();
        QCOMPARE(check({{"DISPLAY", liveX}, {"WAYLAND_DISPLAY", "gone"}}, both),
                 std::string("opens"));
        xServer.terminate();
        xServer.waitForFinished();

        // The program itself, where Qt has no Wayland plugin: it says so instead of aborting.
        if (installedPlatformPlugins().contains("wayland")) QSKIP("Qt's Wayland plugin is here");
        QProcess program;
        program.start(QStringLiteral("env"),
                      {"-u", "QT_QPA_PLATFORM", "-u", "XDG_SESSION_TYPE",
                       QString::fromStdString("DISPLAY=" + deadX), "WAYLAND_DISPLAY=wayland-0",
                       "XDG_RUNTIME_DIR=" + QString::fromStdString(runtime.path().string()),
                       KELVANE_PROGRAM});
        QVERIFY(program.waitForFinished());
        ::close(socket);
        QCOMPARE(program.readAllStandardError().toStdString(),
                 "kelvane: " + std::get<2>(cases[0]) + "\n");
        QCOMPARE(program.exitCode(), 1);
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
