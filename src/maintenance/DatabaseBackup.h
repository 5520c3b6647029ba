#pragma once

#include <QString>

class Database;
class Prompt;
class QSettings;

// Backup of the open database into a folder of the operator's choice, under the name
// "%Y%m%d%H%M%S.bak". The copy is a consistent snapshot taken through the connection, never a
// copy of the file while it is in use. The folder last used is remembered as "backpath".
class DatabaseBackup final
{
public:
    static inline const QString kSettingsKey = QStringLiteral("backpath");

    DatabaseBackup(Database& db, Prompt& prompt, QSettings& settings, const QString& programFolder);

    // "backpath", else the program folder, with a trailing separator.
    QString folder() const;
    // Writes the backup into `folder` ("" does nothing and counts as done). Shows
    // "备份数据库完成!" and remembers the folder, or "备份数据库出错!".
    bool backup(const QString& folder);
    // The file a backup taken now would be written to.
    static QString fileIn(const QString& folder);

private:
    Database& m_db;
    Prompt& m_prompt;
    QSettings& m_settings;
    QString m_programFolder;
};
