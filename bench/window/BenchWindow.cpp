// SPDX-License-Identifier: GPL-3.0-or-later
// Times Open and Remove Duplicates in the real window: from the click on the button to the
// caption or summary that ends the operation, the window repainted; then the double-click load.
// Prints seconds and the process's peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "ui/FileBrowser.h"
#include "ui/Form1.h"
#include "ui/MessageBox.h"

namespace {

double peakMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The processor time and page faults of the process so far: unlike the wall clock, they hardly
// change when other work shares the machine.
struct Usage {
    double cpuSeconds;
    long faults;
};

Usage usageNow() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_minflt + usage.ru_majflt};
}

Usage lastUsage{};

// Runs `start` and waits until `done` holds; the seconds in between, or a negative number when
// the operation has not ended within a minute.
template <typename Start, typename Done>
double secondsUntil(Start start, Done done) {
    lastUsage = usageNow();
    const auto begin = std::chrono::steady_clock::now();
    const auto deadline = begin + std::chrono::minutes(1);
    start();
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();  // the repaint that shows the result
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

void report(const char* name, double seconds, const QString& note = {}) {
    if (seconds < 0) {
        std::printf("  %-19s did not end within a minute\n", name);
        std::exit(1);
    }
    const Usage now = usageNow();
    std::printf("  %-19s %7.3f s   cpu %6.3f s   %6ld page faults   peak %6.1f MB   %s\n", name,
                seconds, now.cpuSeconds - lastUsage.cpuSeconds, now.faults - lastUsage.faults,
                peakMebibytes(), qPrintable(note));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-window LIST.txt LINES\n");
        return 2;
    }
    const std::filesystem::path list = std::filesystem::absolute(argv[1]);
    const QString lines = QString::fromLatin1(argv[2]);
    QApplication app(argc, argv);
    // A message would stop the clock waiting for a person: each one is printed and fails the run.
    int messages = 0;
    kelvane::MessageBox::setStandIn(
        [&messages](std::string_view text, kelvane::MessageButtons, std::string_view) {
            std::printf("  message: %.*s\n", static_cast<int>(text.size()), text.data());
            ++messages;
            return kelvane::MessageAnswer::Ok;
        });
    kelvane::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::fprintf(stderr, "bench-window: window not exposed\n");

    form.browser().openFolder(list.parent_path().string());
    auto* files = form.findChild<QListWidget*>(QStringLiteral("File1"));
    const QList<QListWidgetItem*> found =
        files->findItems(QString::fromStdString(list.filename().string()), Qt::MatchExactly);
    if (found.isEmpty()) {
        std::fprintf(stderr, "bench-window: %s is not listed\n", list.c_str());
        return 1;
    }
    files->setCurrentItem(found.front());
    std::printf("  %-19s %8.1f MB peak before\n", "window", peakMebibytes());

    const QString total = QStringLiteral("Total Numbers In File  ") + lines;
    const auto click = [&](const char* button) {
        return [&form, button] {
            QTest::mouseClick(form.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        };
    };
    report("Open", secondsUntil(click("Command7"), [&] { return form.windowTitle() == total; }));

    auto* summary = form.findChild<QLabel*>(QStringLiteral("Label4"));
    const double dedupe = secondsUntil(click("Command5"), [&] {
        return summary->text().startsWith(QStringLiteral("Duplicates Found"));
    });
    report("Remove Duplicates", dedupe, summary->text());

    // The double-click load hands the window its events while it runs.
    const QPoint entry = files->visualItemRect(found.front()).center();
    const auto doubleClick = [&] {
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          entry);  // a double-click's first half
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, entry);
    };
    report("Open (double-click)",
           secondsUntil(doubleClick, [&] { return form.windowTitle() == total; }));
    return messages == 0 ? 0 : 1;
}
