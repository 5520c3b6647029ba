#pragma once

class Database;

// The tables of the restaurant's database, created when the file (or the server's database) is
// new and brought forward when it was written by an older version of the program. The file keeps
// its version in PRAGMA user_version, the server in the one row of the table pelvar_version.
class Schema final
{
public:
    static constexpr int kVersion = 7;

    // Checks that the open database is this program's (or an empty one), creates or upgrades its
    // tables, and turns on write-ahead logging for the file. Returns whether it was empty and got
    // its tables now. Throws DbError; writes nothing to a database that is not ours.
    static bool prepare(Database& db);
};
