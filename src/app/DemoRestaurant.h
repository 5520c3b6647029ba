#pragma once

#include <functional>
#include <QString>

class Database;

// A sample restaurant for trying the program (`pelvar --demo`), as in its first week: rooms and
// tables, categories with their kitchen printers, dishes with prices and units, waiters, a cashier
// and a manager beside the administrator, member levels and members, three shifts that cover the
// day, one reservation for today, and the taste notes and return reasons beside the database.
class DemoRestaurant final
{
public:
    // Fills a new, empty database in one transaction, then writes the text files into `folder`.
    // `pinyin` makes the initials of a name. Throws DbError; on failure nothing is written.
    static void fill(Database& db, const QString& folder,
                     const std::function<QString(const QString&)>& pinyin);
};
