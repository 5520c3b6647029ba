#pragma once

#include <functional>
#include <QString>

class Database;
class Prompt;

// 数据库还原: puts a backup's rows in place of the open database's. The chosen file is copied
// beside the database and checked before anything changes (BackupCheck). Then, in one write
// transaction of the open connection, which holds off every other writer from before the safety
// copy to the end: the current rows are kept as a dated safety copy ("还原前%Y%m%d%H%M%S.bak"),
// every table takes the backup's rows, the day totals are counted afresh from them under the
// program's own triggers, and the run log records who restored which file. The live file is never
// replaced or copied as a file, so that another program that has it open (the maintenance tool)
// sees either the rows before or the restored ones, and a failure leaves the database as it was.
class DatabaseRestore final
{
public:
    DatabaseRestore(Database& db, Prompt& prompt);

    // Asks first; true when the backup's rows are now the open database's ("数据库恢复成功!").
    bool restore(const QString& chosen, const QString& operatorName);

    // For tests: runs once the database is held against other writers, before it changes.
    std::function<void()> whileHeld;

private:
    // The reason the rows could not be replaced, empty when they were.
    QString replace(const QString& checked, const QString& chosen, const QString& operatorName);
    void fail(const QString& reason);

    Database& m_db;
    Prompt& m_prompt;
};
