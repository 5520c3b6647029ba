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
        bool openOrders = false; // empties what an occupied table's order is made of
    };
    // Said instead of clearing lines, bills or registrations while a table is occupied: its guests'
    // order would be gone and the table left 占用 with nothing to settle.
    static inline const QString kTablesOccupied =
        QStringLiteral("有餐桌正在使用(%1)，不能清空消费明细、账单汇总或登记信息，请先为这些餐桌结账!");
    // The groups in the order their statements run.
    static const QList<Group>& groups();

    DataClearing(Database& db, Prompt& prompt);

    // Refuses while a table is occupied and a checked group holds open orders (kTablesOccupied);
    // else asks first, then runs the statements of the checked groups (indexes into groups()) in
    // group order, shows "清空完毕!", writes "用户“name”清空数据" and compacts. A failing
    // statement undoes them all and shows the reason.
    bool clear(const QList<int>& checked, const QString& operatorName);

private:
    Database& m_db;
    Prompt& m_prompt;
};
