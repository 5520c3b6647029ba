#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kOption = QStringLiteral("--data-dir");

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
    makeFolder(folder);
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
