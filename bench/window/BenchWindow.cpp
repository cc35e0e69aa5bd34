// SPDX-License-Identifier: GPL-3.0-or-later
// Times Open and Remove Duplicates in the real window: from the click on the button to the
// caption or summary that ends the operation, the window repainted. Prints seconds and the
// process's peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "FileBrowser.h"
#include "Form1.h"
#include "MessagePrompt.h"

namespace {

double peakMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Clicks `button` and waits until `done` holds; the seconds in between.
template <typename Done>
double secondsUntil(QPushButton* button, Done done) {
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(button, Qt::LeftButton);
    while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();  // the repaint that shows the result
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    kelvane::ScriptedMessagePrompt prompt;
    kelvane::Form1 form(&prompt);
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
    std::printf("  %-18s %8.1f MB peak before\n", "window", peakMebibytes());

    const QString total = QStringLiteral("Total Numbers In File  ") + lines;
    const double open = secondsUntil(form.findChild<QPushButton*>(QStringLiteral("Command7")),
                                     [&] { return form.windowTitle() == total; });
    std::printf("  %-18s %7.3f s   peak %6.1f MB\n", "Open", open, peakMebibytes());

    auto* summary = form.findChild<QLabel*>(QStringLiteral("Label4"));
    const double dedupe = secondsUntil(
        form.findChild<QPushButton*>(QStringLiteral("Command5")),
        [&] { return summary->text().startsWith(QStringLiteral("Duplicates Found")); });
    std::printf("  %-18s %7.3f s   peak %6.1f MB   %s\n", "Remove Duplicates", dedupe,
                peakMebibytes(), qPrintable(summary->text()));
    for (const auto& message : prompt.shown()) std::printf("  message: %s\n", message.text.c_str());
    return prompt.shown().empty() ? 0 : 1;
}
