#pragma once

#include <QString>
#include <QStringList>

class Database;

// 更换餐桌: the guests of an occupied table move to a free one, with their registration, the
// table's running state (total, arrival time, guests, elapsed time, note) and their open lines.
// Settled lines stay where they were booked. The whole move is one transaction, so a failure
// leaves the visit entirely on the source table.
class TableChange final
{
public:
    explicit TableChange(Database& db);

    // The board's check before the dialog opens: the table must be occupied ("请选定占用餐桌!").
    bool canChange(const QString& table);

    // The room box: every room in the order the database returns them.
    QStringList rooms();
    // The target box for a room: its free tables that are not reserved for the current shift today.
    QStringList offeredTables(const QString& room);

    // OK of the dialog. True when the visit moved (the board refreshes and the dialog closes);
    // false keeps the dialog open: no target chosen, a target no longer offered, or a failure,
    // each with its message except the first.
    bool move(const QString& source, const QString& target);

private:
    // Tables reserved for the current business shift today are kept for their guests.
    QString notReservedNow() const;

    Database& m_db;
};
