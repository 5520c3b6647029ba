#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// 拆分账单: tables of an open group get bills of their own again. The dialog shows groups() as the
// tree "可供拆分账单" and splitTables() as the list "拆分区"; the tables taken are split together in
// one transaction.
class BillSplit final
{
public:
    // One open group: its main table and the other tables sharing its main registration.
    struct Group
    {
        QString mainTable;
        QStringList otherTables;
    };

    // Reads the open groups.
    explicit BillSplit(Database& db);

    const QList<Group>& groups() const { return m_groups; }
    const QStringList& splitTables() const { return m_split; }

    // The move button on a table of the tree: a group's other table leaves the tree for the split
    // list; a main table is refused ("不能对主餐桌进行此操作!"). True when the table moved.
    bool take(const QString& table);

    // "拆分": after the question, every table taken becomes the main table of a group of its own.
    // True when the dialog closes; false keeps it open (nothing taken, answered No, or a failure).
    bool split();

private:
    Database& m_db;
    QList<Group> m_groups;
    QStringList m_split;
};
