#pragma once

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The run log (the log table): one line per notable action of an operator, numbered and
// time-stamped by the database. Only its own emptying starts the numbering again at 1.
class RunLog final
{
public:
    static inline const QString kColumns = QStringLiteral("ID,60;事件,300;时间,150;");

    RunLog(Database& db, Prompt& prompt);

    // Every entry in the log's order as number, text, "%Y-%m-%d %H:%M:%S"; false (after
    // "ADO Error: %s") when the log cannot be read.
    bool entries(QList<QStringList>& rows);
    // Asks "你真的删除运行日志吗？", empties the log, starts the numbering again and writes
    // "用户“name”清空日志" as entry 1.
    bool empty(const QString& operatorName);
    // Writes "用户“name" + closing (such as "”清空数据").
    void write(const QString& operatorName, const QString& closing);

private:
    Database& m_db;
    Prompt& m_prompt;
};
