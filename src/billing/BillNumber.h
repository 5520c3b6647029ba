#pragma once

#include <QDate>
#include <QString>

class Database;

// A bill's number: the date as eight digits followed by the day's four-digit running number.
class BillNumber final
{
public:
    // The day's next number: the highest the day has given plus one, or the date followed by
    // "0001" for the day's first bill. A number once given is never given again: those of deleted
    // bills and of bills settled from on account count, and the database refuses a bill under a
    // number given before. Throws DbError.
    static QString next(Database& db, const QDate& day);
};
