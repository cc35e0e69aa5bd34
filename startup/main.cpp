// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "DisplayCheck.h"
#include "frmSplash.h"

int main(int argc, char** argv) {
    if (!kelvane::displayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kelvane::kNoDisplayMessage.size()),
                     kelvane::kNoDisplayMessage.data());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    kelvane::frmSplash splash;
    splash.show();
    return app.exec();
}
