#pragma once

#include "BillModification.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QStringList>

// Builds a restaurant in a test's database: shifts, rooms and tables, a small menu, members,
// bookings, visits opened as the open-table dialog writes them, and lines with their running totals.
class Restaurant final
{
public:
    // The tests' "now": 2026-12-06 12:30:00, inside the lunch shift of shifts().
    static const QDateTime kNow;

    explicit Restaurant(TestDatabase& t) : m_t(t) {}
    // The small menu and the hall's tables A1, A2, A3, B1, B2, C1 (4 seats):
    //   热菜: 1 鱼香肉丝 28.00, 2 红烧肉 38.50, 5 特色水煮鱼片A1234 45.00 (a name of 20 bytes)
    //   酒水: 3 啤酒 8.00 (no discount), 4 可乐 5.00
    static Restaurant withMenu(TestDatabase& t);

    // 午市 10:00-14:59:59, 晚市 15:00-20:59:59, 夜宵 21:00-23:59:59.
    void shifts();
    // A room, unless it is there already.
    void room(const QString& name);
    // Tables, in a room that is added when missing.
    void table(const QString& name, const QString& room = QStringLiteral("大厅"), int seats = 4);
    void tables(const QString& room, const QStringList& names);
    // Marks a table occupied without a registration (the board's view of it).
    void occupy(const QString& table, const QDateTime& arrival, double total = 0);
    // One booked row; returns its id.
    int book(const QString& number, const QString& table, int shift, const QDateTime& arrival,
             const QString& state = QStringLiteral("已订"));
    // A member with a level of its own at this ratio; returns the member's number.
    QString member(const QString& name, double ratio);

    // Opens a table at 11:00 as registration registration(table): a main table of its own group,
    // or a member of `mainTable`'s group.
    void seat(const QString& table, const QString& mainTable = QString());
    static QString registration(const QString& table) { return QStringLiteral("R-") + table; }
    // Opens the tables as one group at `when`, numbered as the open-table dialog numbers them: the
    // first is the main table. Returns the group's number.
    QString open(const QStringList& tables, const QDateTime& when, int guests = 4, const QString& note = {});

    // A line of a dish of the menu, at its price; returns its number.
    qint64 order(const QString& table, const QString& item, double quantity, double ratio = 1.0);
    // A line of any name at any price; returns its number.
    qint64 line(const QString& table, const QString& item, double quantity, double price, double ratio = 1.0);

    // Checks the table's group out through the real checkout, in cash, received as due, as the
    // cashier 张三 at the clock's time. Returns the bill's number; leaves the prompt empty.
    QString checkout(const QString& table);

    // The first bill of the cashier detail list around kNow, as 修改账单 takes it from there.
    BillModification::Bill listedBill();

    // One field: `column` of `table` where `where` holds.
    QString field(const QString& table, const QString& column, const QString& where);
    // A column of a table's open registration.
    QString registration(const QString& table, const QString& column);
    // Every open registration as "table:group number:mark", sorted, to compare whole states.
    QStringList groupState();

private:
    TestDatabase& m_t;
};
