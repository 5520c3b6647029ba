#pragma once

#include <QString>

class Database;

// A member's total consumption (hy.xfze) rises and falls with the 实收金额 of the member's bills:
// every path that writes a bill, writes it again or removes it moves the amount onto or off the
// member's total, inside its own transaction. Both throw DbError.
class MemberTotals final
{
public:
    // Takes a stored bill's 实收金额 off the total of the member it carries, before the bill is
    // written again or removed. A bill without a member, or no such bill, changes nothing.
    static void takeOff(Database& db, const QString& bill);
    // Adds an amount to a member's total; member "0" is none.
    static void add(Database& db, const QString& member, const QString& received);
};
