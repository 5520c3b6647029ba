#pragma once

#include <QString>

class Database;

// The one row of gs: the restaurant's name, telephone and address.
struct RestaurantInfo
{
    QString name;
    QString phone;
    QString address;

    // False (after "ADO Error: %s") when the row could not be read; an empty gs reads as blanks.
    bool read(Database& db);
    bool write(Database& db) const;
};
