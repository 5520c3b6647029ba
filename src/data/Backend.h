#pragma once

#include <QString>

// The database a restaurant keeps its data in: the Pelvar.db file of one terminal (SQLite), or a
// PostgreSQL server that several terminals share. Only the data layer asks which one it talks to.
enum class Backend
{
    SQLite,
    PostgreSQL,
};

// "postgresql://user@host:port/dbname" (or "postgres://..."): a server; anything else is a file.
inline bool isServerLocation(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}
