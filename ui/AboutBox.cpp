// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutBox.h"

#include <QMessageBox>

#include "phone/Regions.h"
#include "ui/AppIcon.h"
#include "ui/TextBytes.h"

namespace kelvane {

QString aboutText() {
    return QStringLiteral(
               "Kelvane %1\n\n"
               "Checks and cleans lists of telephone numbers kept as text files.\n\n"
               "Licence: GPL-3.0-or-later\n"
               "Telephone-number metadata: libphonenumber %2")
        .arg(QStringLiteral(KELVANE_VERSION), fromUtf8(phone::metadataVersion()));
}

void showAbout(QWidget* parent) {
    auto* box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Kelvane"));
    box->setIconPixmap(appIcon().pixmap(64, 64));
    box->setText(aboutText());
    box->setStandardButtons(QMessageBox::Close);
    box->open();
}

}  // namespace kelvane
