#pragma once

class Database;

// The tables of the restaurant's database, created when the file is new and brought forward
// when it was written by an older version of the program (PRAGMA user_version).
class Schema final
{
public:
    static constexpr int kVersion = 6;

    // Checks that the open file is this program's database (or an empty one), creates or upgrades
    // its tables, and turns on write-ahead logging. Throws DbError; writes nothing to a file that
    // is not ours.
    static void prepare(Database& db);
};
