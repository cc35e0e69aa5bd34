// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowFonts.h"

#include <QFont>
#include <QWidget>
#include <cmath>

namespace kelvane {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;

void snapFont(QWidget* widget) {
    if (!widget->testAttribute(Qt::WA_SetFont)) return;
    QFont font = widget->font();
    if (font.pointSizeF() <= 0) return;
    font.setPointSizeF(std::round(font.pointSizeF() / kPointsPerPixel) * kPointsPerPixel);
    widget->setFont(font);
}

}  // namespace

void installFontFallbacks() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
}

void snapFontsToPixels(QWidget* window) {
    snapFont(window);
    for (QWidget* child : window->findChildren<QWidget*>()) snapFont(child);
}

}  // namespace kelvane
