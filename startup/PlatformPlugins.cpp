// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/PlatformPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

namespace kelvane {

std::set<std::string> installedPlatformPlugins() {
    QStringList folders;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    // Qt reads this one both as the plugins' own folder and as a library path.
    const QString platformPath = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!platformPath.isEmpty()) folders << platformPath << platformPath + "/platforms";

    std::set<std::string> names;
    for (const QString& folder : folders) {
        const QDir plugins(folder);
        for (const QString& file : plugins.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(plugins.filePath(file)).metaData();
            for (const QJsonValue key : meta.value(QStringLiteral("MetaData"))
                                            .toObject()
                                            .value(QStringLiteral("Keys"))
                                            .toArray())
                names.insert(key.toString().toLower().toStdString());
        }
    }
    return names;
}

}  // namespace kelvane
