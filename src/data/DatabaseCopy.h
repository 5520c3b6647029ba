#pragma once

#include <QString>
#include <QStringList>

class Database;
class Prompt;

// Moves a restaurant from its file to a server: every row of every table of the open file into a
// new, empty server database, in one transaction. The server's database must have no tables at
// all; it gets the program's tables, the file's rows (its first rows replaced by the file's), the
// counters continuing where the file's left off, and its day totals counted afresh from the lines.
// Afterwards the row count of every table and the day totals must agree on both, or nothing is
// kept. Throws DbError with the reason.
class DatabaseCopy final
{
public:
    struct Table
    {
        QString name;
        qint64 rows = 0;
    };
    struct Result
    {
        QList<Table> tables;
        // Fields of a numeric column that held text which is no number: "" went as null, any other
        // text as the number it begins with, as every screen reads it.
        qint64 adjustedFields = 0;
        QString report() const; // what the tool prints
    };

    DatabaseCopy(Database& source, Prompt& prompt);

    Result copyTo(const QString& serverLocation);

private:
    Database& m_source;
    Prompt& m_prompt;
};
