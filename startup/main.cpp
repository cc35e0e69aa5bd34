// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "startup/CommandLine.h"
#include "startup/DisplayCheck.h"
#include "startup/PlatformPlugins.h"
#include "startup/frmSplash.h"
#include "ui/Form1.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: kelvane [--region CC] [FILE]\n"
    "  or:  kelvane --help\n"
    "  or:  kelvane --version\n"
    "Opens the Kelvane window: it checks lists of telephone numbers kept as text files, one\n"
    "number a line, removes the duplicates and saves the cleaned list as a new file. Its Numbers\n"
    "menu reads numbers the way people write them: it opens a list as telephone numbers, removes\n"
    "duplicate numbers, strikes the numbers of a do-not-call list and keeps only the numbers\n"
    "that may be mobiles (where a region's numbering plan cannot tell a mobile from a fixed\n"
    "line, such numbers are kept).\n"
    "With FILE, a list file ending in .txt, the window shows it in its file list and opens it.\n"
    "\n"
    "Options:\n"
    "  --region CC  the region of numbers written without a country code, a two-letter code\n"
    "               such as IL or US (default: the territory of the locale, as in en_US.UTF-8;\n"
    "               where the locale names none, the first Numbers item asks)\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "The window takes no other arguments. It needs a display; on a machine without one, run it\n"
    "under a virtual display: xvfb-run -a kelvane\n"
    "The batch command kelvane-cli applies the same rules from scripts.\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that --help and --version work without a display.
    const kelvane::CommandLine line = kelvane::readCommandLine({argv + 1, argv + argc});
    switch (line.ask) {
        case kelvane::CommandLine::Ask::Help:
            std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
            return 0;
        case kelvane::CommandLine::Ask::Version:
            std::puts("kelvane " KELVANE_VERSION);
            return 0;
        case kelvane::CommandLine::Ask::Refused:
            std::fprintf(stderr, "kelvane: %s\n", line.refusal.c_str());
            return 2;
        case kelvane::CommandLine::Ask::Window:
            break;
    }
    const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
    kelvane::HeldDisplay checked;
    if (const auto refusal =
            kelvane::displayRefusal(environment, kelvane::installedPlatformPlugins(), checked)) {
        std::fprintf(stderr, "kelvane: %s\n", refusal->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    checked.close();  // Qt holds a connection of its own now
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KELVANE_APP_ID));
    kelvane::frmSplash splash;
    if (!line.region.empty()) splash.mainWindow()->setRegion(line.region);
    if (!line.file.empty()) splash.openOnShow(line.file);
    splash.show();
    return app.exec();
}
