#include "DataFolder.h"

#include "Backend.h"
#include "DbError.h"
#include "ServerConnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kOption = QStringLiteral("--data-dir");
const QString kDatabaseOption = QStringLiteral("--database");
const QString kDatabaseKey = QStringLiteral("database");
const QString kFileName = QStringLiteral("Pelvar.db");

// The value of the last "--name VALUE" or "--name=VALUE"; null when none.
QString optionValue(const QStringList& arguments, const QString& name)
{
    QString value;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == name && i + 1 < arguments.size())
            value = arguments.at(i + 1);
        else if (arguments.at(i).startsWith(name + QLatin1Char('=')))
            value = arguments.at(i).mid(name.size() + 1);
    }
    return value;
}

// Creates the folder and every missing folder above it, each open to its owner only; folders that
// exist keep their modes.
void makeFolder(const QString& folder)
{
    QStringList missing;
    for (QString path = QDir::cleanPath(QDir(folder).absolutePath()); !QFileInfo::exists(path);
         path = QFileInfo(path).path()) {
        missing.prepend(path);
        if (QFileInfo(path).path() == path)
            break;
    }
    for (const QString& path : missing) {
        const QByteArray name = QFile::encodeName(path);
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return;
        ::chmod(name.constData(), 0700);
    }
}

} // namespace

void DataFolder::refusePassword(const QString& location)
{
    if (!ServerConnection::refusePassword(location).isEmpty())
        throw DbError(QStringLiteral("数据库位置中不能含有密码，请把密码写入 ~/.pgpass 或环境变量 PGPASSWORD"));
}

QString DataFolder::resolve(const QStringList& arguments)
{
    QString folder = optionValue(arguments, kOption);
    if (folder.isEmpty()) {
        folder = QCoreApplication::applicationDirPath();
        // An installed program never writes under /usr, even when run by root.
        if (!QFileInfo(folder).isWritable() || folder.startsWith(QLatin1String("/usr/")))
            folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/Orvo餐饮/Pelvar");
    }
    makeFolder(folder);
    return QDir(folder).absolutePath();
}

QStringList DataFolder::otherArguments(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool skipped = false;
        for (const QString& option : {kOption, kDatabaseOption}) {
            if (i > 0 && arguments.at(i) == option) {
                ++i;
                skipped = true;
                break;
            }
            if (i > 0 && arguments.at(i).startsWith(option + QLatin1Char('='))) {
                skipped = true;
                break;
            }
        }
        if (!skipped)
            rest << arguments.at(i);
    }
    return rest;
}

void DataFolder::keepDatabaseSetting(const QStringList& arguments, const QString& folder)
{
    const QString location = optionValue(arguments, kDatabaseOption);
    if (location.isNull())
        return;
    if (!isServerLocation(location) && location != kFileName)
        throw DbError(QStringLiteral("数据库位置应为 postgresql://用户@主机:端口/数据库名 或 Pelvar.db：%1").arg(location));
    refusePassword(location);
    const QString path = QDir(folder).filePath(kSettingsFile);
    {
        QSettings settings(path, QSettings::IniFormat);
        if (isServerLocation(location))
            settings.setValue(kDatabaseKey, location);
        else
            settings.remove(kDatabaseKey);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            throw DbError(QStringLiteral("无法写入设置文件 %1").arg(path));
    }
    // Only its owner reads where the restaurant's data is kept.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString DataFolder::databaseLocation(const QString& folder)
{
    const QString path = QDir(folder).filePath(kSettingsFile);
    if (QFileInfo::exists(path)) {
        const QString location = QSettings(path, QSettings::IniFormat).value(kDatabaseKey).toString();
        if (isServerLocation(location)) {
            refusePassword(location);
            return location;
        }
    }
    return QDir(folder).filePath(kFileName);
}

QString DataFolder::programFile(const QString& name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& path : {program.filePath(name), program.filePath(QStringLiteral("../share/pelvar/") + name)})
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    return QString();
}

void DataFolder::makePrivate(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 07777) != 0600)
        ::chmod(name.constData(), 0600);
}

QString DataFolder::createPrivateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const bool limited = ::fchmod(fd, 0600) == 0;
    const int error = errno;
    ::close(fd);
    return limited ? QString() : QString::fromLocal8Bit(std::strerror(error));
}
