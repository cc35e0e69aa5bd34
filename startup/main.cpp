// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "DisplayCheck.h"
#include "frmSplash.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: kelvane [FILE]\n"
    "  or:  kelvane --help\n"
    "  or:  kelvane --version\n"
    "Opens the Kelvane window: it checks lists of telephone numbers kept as text files, one\n"
    "number a line, removes the duplicates and saves the cleaned list as a new file.\n"
    "With FILE, a list file ending in .txt, the window shows it in its file list and opens it.\n"
    "\n"
    "Options:\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "The window takes no other arguments. It needs a display; on a machine without one, run it\n"
    "under a virtual display: xvfb-run -a kelvane\n"
    "The batch command kelvane-cli applies the same rules from scripts.\n";

// --help and --version are answered before Qt starts, so they work without a display. Returns the
// exit status when the command line is answered here, nothing when the window should open.
std::optional<int> answerCommandLine(int argc, char** argv) {
    if (argc == 1) return std::nullopt;
    const std::string_view first = argv[1];
    const bool known = first == "--help" || first == "--version";
    if (argc == 2 && !first.starts_with('-')) return std::nullopt;  // a file to open
    if (known && argc == 2) {
        if (first == "--help")
            std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
        else
            std::puts("kelvane " KELVANE_VERSION);
        return 0;
    }
    std::fprintf(stderr, "kelvane: unexpected argument %s (it takes a file, --help or --version)\n",
                 argv[known ? 2 : 1]);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = answerCommandLine(argc, argv)) return *status;
    const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
    if (!kelvane::displayAvailable(environment)) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kelvane::kNoDisplayMessage.size()),
                     kelvane::kNoDisplayMessage.data());
        return 1;
    }
    if (const auto display = kelvane::unreachableDisplay(environment)) {
        std::fprintf(stderr, "kelvane: cannot reach the display %s\n", display->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KELVANE_APP_ID));
    kelvane::frmSplash splash;
    if (argc == 2) splash.openOnShow(argv[1]);
    splash.show();
    return app.exec();
}
