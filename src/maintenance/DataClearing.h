#pragma once

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// 数据清空: empties chosen groups of tables in one transaction, logs it, then compacts the file.
// Categories, operators, member levels, shifts and the settings rows are never cleared.
class DataClearing final
{
public:
    struct Group
    {
        QString label;
        QStringList statements;
        bool dayTotals = false; // empties rows the day totals count
    };
    // The groups in the order their statements run.
    static const QList<Group>& groups();

    DataClearing(Database& db, Prompt& prompt);

    // Asks first; then runs the statements of the checked groups (indexes into groups()) in
    // group order, shows "清空完毕!", writes "用户“name”清空数据" and compacts. A failing
    // statement undoes them all and shows the reason.
    bool clear(const QList<int>& checked, const QString& operatorName);

private:
    Database& m_db;
    Prompt& m_prompt;
};
