#pragma once

#include <functional>

#include <QString>

class Database;

// A sample restaurant for trying the program (`pelvar --demo`): rooms and tables, categories with
// their kitchen printers, dishes with prices and units, waiters, member levels and members,
// three shifts that cover the day and one reservation for today.
class DemoRestaurant final
{
public:
    // Fills a new, empty database in one transaction. `pinyin` makes the initials of a name.
    // Throws DbError; on failure nothing is written.
    static void fill(Database& db, const std::function<QString(const QString&)>& pinyin);
};
