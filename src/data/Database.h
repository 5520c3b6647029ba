#pragma once

#include "Backend.h"
#include "Recordset.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

class Prompt;
class ServerConnection;
struct sqlite3;

// The one connection of a run to the restaurant's database: the file, or a PostgreSQL server.
// Statements arrive in the screens' dialect and are translated for the one it talks to
// (JetDialect) just before they run. For the file, Qt SQL opens and owns the connection and
// statements run on its SQLite handle directly, which keeps the layer's cost close to SQLite's
// own; for the server, they run on a libpq connection (ServerConnection).
//
// Two ways to run a statement, as the screens expect:
//  - OpenRecordset reports its own failure ("ADO Error: %s" through the prompt) and returns
//    false, so the screen carries on;
//  - ExecuteSql and query throw DbError, so a transaction's handler can roll back and show
//    its own failure message.
class Database final
{
public:
    static inline const QString kFileName = QStringLiteral("Pelvar.db");

    explicit Database(Prompt& prompt);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file (or the server's database, for a "postgresql://" location), creating its
    // tables and first rows when it has none and bringing an older one up to date. A database
    // that is not this program's is left untouched. Throws DbError with the database's
    // description.
    void open(const QString& location);
    void close();
    bool isOpen() const;
    // The file's path, or the server's location.
    const QString& path() const { return m_path; }
    Backend backend() const { return m_server ? Backend::PostgreSQL : Backend::SQLite; }
    // Whether open() found the database empty and made its tables.
    bool created() const { return m_created; }

    bool OpenRecordset(Recordset& recordset, const QString& statement);
    bool ExecuteSql(const QString& statement);
    Recordset query(const QString& statement);

    void begin();
    void commit();
    void rollback();

    // The number of the business shift that now's time of day lies strictly inside, "0" when none.
    QString GetCurrentShiftId();

    Prompt& prompt() const { return m_prompt; }
    QSqlDatabase connection() const;

private:
    void run(const QString& statement, Recordset* result);

    void openFile(const QString& path);

    Prompt& m_prompt;
    QString m_connectionName;
    sqlite3* m_handle = nullptr;
    std::unique_ptr<ServerConnection> m_server;
    QString m_path;
    bool m_created = false;
};

// Rolls the transaction back unless commit() was reached.
class Transaction final
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_db;
    bool m_done = false;
};
