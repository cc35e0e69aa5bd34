// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kelvane {

// The window's one place where bytes become text and text bytes. The list operations speak
// UTF-8; paths and file names are the file system's bytes.

QString fromUtf8(std::string_view bytes);
std::string toUtf8(const QString& text);

// Lines of any file, shown so that every byte is some character: UTF-8 where they are, Latin-1
// where they are not; CR LF ends a line as LF does.
QString readableText(std::string_view bytes);

// A path as the file system spells it.
std::string pathBytes(const QString& path);

}  // namespace kelvane
