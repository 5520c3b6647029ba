#pragma once

#include <QDate>
#include <QString>

class Database;

// A bill's number: the date as eight digits followed by the day's four-digit running number.
class BillNumber final
{
public:
    // The day's next number: the day's highest plus one, or the date followed by "0001" for the
    // day's first bill. A number already taken (by a bill of another day's date, say) is skipped.
    // Throws DbError.
    static QString next(Database& db, const QDate& day);
};
