#include "DatabaseBackup.h"

#include "Clock.h"
#include "DataFolder.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

void removeWithJournal(const QString& file)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

DatabaseBackup::DatabaseBackup(Database& db, Prompt& prompt, QSettings& settings,
                               const QString& programFolder)
    : m_db(db), m_prompt(prompt), m_settings(settings), m_programFolder(programFolder)
{
}

QString DatabaseBackup::folder() const
{
    const QString remembered = m_settings.value(kSettingsKey).toString();
    return remembered.isEmpty() ? withSeparator(m_programFolder) : remembered;
}

QString DatabaseBackup::fileIn(const QString& folder)
{
    return withSeparator(folder) + Clock::now().toString(QStringLiteral("yyyyMMddHHmmss")) +
           QStringLiteral(".bak");
}

bool DatabaseBackup::backup(const QString& chosen)
{
    if (chosen.isEmpty())
        return true;
    const QString folder = withSeparator(chosen);
    const QString target = fileIn(folder);
    // The snapshot goes to a file of its own first, so that a failed backup never destroys an
    // earlier one of the same name.
    // It is the owner's alone from the start (SQLite writes into the empty file it is given).
    const QString partial = target + QStringLiteral(".part");
    removeWithJournal(partial);
    bool done = false;
    try {
        done = DataFolder::createPrivateFile(partial).isEmpty();
        if (done)
            m_db.ExecuteSql(QStringLiteral("vacuum into ") + Sql::quote(QDir::toNativeSeparators(partial)));
        done = done && (!QFile::exists(target) || QFile::remove(target)) && QFile::rename(partial, target);
    } catch (const DbError&) {
        done = false;
    }
    if (!done) {
        // A write that failed half-way (a full disk) leaves SQLite's journal of the copy too.
        removeWithJournal(partial);
        m_prompt.warn(QStringLiteral("备份数据库出错!"));
        return false;
    }
    m_prompt.info(QStringLiteral("备份数据库完成!"));
    m_settings.setValue(kSettingsKey, folder);
    m_settings.sync();
    return true;
}
