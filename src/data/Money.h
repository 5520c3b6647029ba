#pragma once

#include <QString>

// Money is compared in whole cents, so that 128.50 - 127.50 equals a limit of 1.00 whatever
// binary doubles make of it.
namespace Money {

qint64 cents(double amount);
// The amount a stored field holds, read leniently ("" and "abc" are 0); typed amounts go
// through Field::parseNumber first.
qint64 cents(const QString& text);

} // namespace Money
