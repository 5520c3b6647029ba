#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kOption = QStringLiteral("--data-dir");
}

QString DataFolder::resolve(const QStringList& arguments)
{
    QString folder;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == kOption && i + 1 < arguments.size())
            folder = arguments.at(i + 1);
        else if (arguments.at(i).startsWith(kOption + QLatin1Char('=')))
            folder = arguments.at(i).mid(kOption.size() + 1);
    }
    if (folder.isEmpty()) {
        folder = QCoreApplication::applicationDirPath();
        // An installed program never writes under /usr, even when run by root.
        if (!QFileInfo(folder).isWritable() || folder.startsWith(QLatin1String("/usr/")))
            folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/Orvo餐饮/Pelvar");
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

QStringList DataFolder::otherArguments(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (i > 0 && arguments.at(i) == kOption) {
            ++i;
            continue;
        }
        if (i > 0 && arguments.at(i).startsWith(kOption + QLatin1Char('=')))
            continue;
        rest << arguments.at(i);
    }
    return rest;
}

QString DataFolder::programFile(const QString& name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& path : {program.filePath(name), program.filePath(QStringLiteral("../share/pelvar/") + name)})
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    return QString();
}
