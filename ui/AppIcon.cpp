// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppIcon.h"

#include <QDir>

namespace kelvane {

QIcon appIcon() {
    // The PNGs rendered from the icon's SVG at build time, the same files the menu shows.
    QIcon icon;
    for (const QFileInfo& picture : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(picture.filePath());
    return icon;
}

}  // namespace kelvane
