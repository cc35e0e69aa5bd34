// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextBytes.h"

#include <QFile>
#include <QStringDecoder>

namespace kelvane {

QString fromUtf8(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QString readableText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (utf8.hasError()) text = QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace kelvane
