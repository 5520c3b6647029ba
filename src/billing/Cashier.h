#pragma once

#include <QString>

// What checkout and discounts need of the logged-in operator, as the login copied it.
struct Cashier
{
    QString name;
    // Lowest discount ratio the operator may grant, "0.00" to "1.00".
    QString lowestRatio = QStringLiteral("1");
    // Largest rounding-off amount, as stored ("0" when it was null); shown as stored in messages.
    QString largestRoundOff = QStringLiteral("0");
};
