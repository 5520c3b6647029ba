#pragma once

#include <QString>

class Database;
class Prompt;

// 数据库还原: puts a backup in place of the open database. The chosen file is copied beside the
// database and checked before anything changes; only a whole database of this program that it
// can read is taken. The current file is kept as a dated safety copy ("还原前%Y%m%d%H%M%S.bak"),
// the checked copy is renamed over it under a closed connection, and the connection reopened as
// at start-up. When the restored file cannot be opened, the safety copy goes back.
class DatabaseRestore final
{
public:
    static inline const QString kInvalid = QStringLiteral("所选文件不是有效的数据库备份!");

    DatabaseRestore(Database& db, Prompt& prompt);

    // Asks first; true when the backup is now the open database ("数据库恢复成功!").
    bool restore(const QString& chosen);

private:
    // Whether the file opens as SQLite, passes its integrity check, carries a schema version
    // this program reads or brings forward, and has every table of the restaurant.
    static bool isValidBackup(const QString& file);
    // Opens the file as at start-up; the reason of a failure, empty on success.
    QString reopen(const QString& file);
    void fail(const QString& reason);

    Database& m_db;
    Prompt& m_prompt;
};
