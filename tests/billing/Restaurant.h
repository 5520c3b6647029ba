#pragma once

#include "TestDatabase.h"

#include <QString>

// A small restaurant for the billing tests: two categories and their dishes, tables, open
// visits and their lines.
//   热菜 (category 1): 鱼香肉丝 28.00, 红烧肉 38.50, 水煮鱼 (a name of 20 bytes) 45.00
//   酒水 (category 2): 啤酒 8.00 (no discount), 可乐 5.00
class Restaurant final
{
public:
    explicit Restaurant(TestDatabase& t);

    // Opens a table: a main table of its own group, or a member of `mainTable`'s group.
    void open(const QString& table, const QString& mainTable = QString());
    // Adds a consumption line and the table's running totals; returns its number.
    qint64 order(const QString& table, const QString& item, double quantity, double ratio = 1.0);
    // A member with a level of the given ratio; returns the member's number.
    QString member(const QString& name, double ratio);

    static QString registration(const QString& table) { return QStringLiteral("R-") + table; }

private:
    TestDatabase& m_t;
};
