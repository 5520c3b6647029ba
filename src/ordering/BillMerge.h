#pragma once

#include <QList>
#include <QString>

class Database;

// 合并账单: the bills of several open groups become one group, paid at one checkout. The dialog
// shows inStore() as "在店顾客", toMerge() as "合并区" (columns 登记编号 and 餐桌名) and mainTable()
// in "合并后主餐桌:". The first group of the merge list keeps its main table; every registration
// of the other groups joins it, all in one transaction.
class BillMerge final
{
public:
    // The main registration of one open group.
    struct Group
    {
        QString number; // 登记编号, also the group's number
        QString table;  // 餐桌名
    };

    // Reads the open groups; the selected table's group starts in the merge list when the table
    // is a main table. An empty name (nothing selected on the board) starts it empty.
    BillMerge(Database& db, const QString& selectedTable);

    const QList<Group>& inStore() const { return m_inStore; }
    const QList<Group>& toMerge() const { return m_toMerge; }
    // The table that will carry the merged bill: the first group's main table, "" when none.
    QString mainTable() const;

    // The arrow buttons (or a double click): a row moves to the end of the other list.
    void add(int inStoreRow);
    void remove(int toMergeRow);

    // "合并": after the question, the further groups join the first. True when the dialog closes:
    // always, except after a failure, which keeps it open with its message.
    bool merge();

private:
    Database& m_db;
    QList<Group> m_inStore;
    QList<Group> m_toMerge;
};
