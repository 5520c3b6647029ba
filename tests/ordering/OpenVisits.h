#pragma once

#include "TestDatabase.h"

#include <QDateTime>
#include <QStringList>

// A restaurant floor for the tests of moving, splitting and merging: rooms and tables, visits
// opened the way the open-table dialog writes them, lines with their totals, and the group a
// checkout gathers and settles.
class OpenVisits final
{
public:
    explicit OpenVisits(TestDatabase& t) : m_t(t) {}

    void addTables(const QString& room, const QStringList& tables);
    // Opens the tables as one group at `when`: the first is the main table. Returns its number.
    QString open(const QStringList& tables, const QDateTime& when, int guests = 4, const QString& note = {});
    // One ordered line, added to the table's and its open registration's totals.
    void addLine(const QString& table, const QString& item, double quantity, double price);
    void reserve(const QString& table, const QDate& day, int shift,
                 const QString& state = QStringLiteral("已订"));

    // The tables a checkout of `table` gathers (its group's main table first), settled under `bill`.
    QStringList checkout(const QString& table, const QString& bill);

    QString field(const QString& table, const QString& column, const QString& where);
    QString registration(const QString& table, const QString& column);
    // Every open registration as "table:group number:mark", sorted, to compare whole states.
    QStringList groupState();

private:
    TestDatabase& m_t;
};
