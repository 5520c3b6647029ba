#pragma once

#include <QDateTime>
#include <QString>

// One row of a table's consumption list, as the ordering screen shows it: quantity, price, ratio
// and amount as "%.2f", the time as "%Y-%m-%d %H:%M:%S". The dish name is kept plain; the return
// and gift marks are derived from the quantity and the ratio, so they are never cut off or
// doubled by hand.
struct ConsumptionLine
{
    // The list's columns, in order.
    enum Column
    {
        Number,
        Name,
        Quantity,
        Price,
        Ratio,
        Amount,
        Category,
        Operator,
        Time,
        Note,
        Printed,
        ColumnCount
    };

    int number = 0; // xfmx.xfbh
    QString name;   // the dish, without mark
    QString quantity;
    QString price;
    QString ratio;
    QString amount; // amount due
    QString category;
    QString operatorName;
    QDateTime time;
    QString note;
    bool printed = false;

    double quantityValue() const;
    double priceValue() const;
    double ratioValue() const;

    // A return line books a negative quantity.
    bool isReturn() const;
    // A gift line has the ratio 0.
    bool isGift() const;

    // The name with "(退)" on a return line, else "(赠)" on a gift line.
    QString displayName() const;
    QString text(int column) const;
};
