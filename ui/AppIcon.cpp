// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace kelvane {

QIcon appIcon() {
    QPixmap picture(24, 24);
    picture.fill(QColor(58, 110, 165));
    QPainter painter(&picture);
    QFont font(QStringLiteral("Arial Black"));
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("K"));
    return QIcon(picture);
}

}  // namespace kelvane
