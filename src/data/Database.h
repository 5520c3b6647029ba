#pragma once

#include "Recordset.h"

#include <QSqlDatabase>
#include <QString>

class Prompt;
struct sqlite3;

// The one connection of a run to the restaurant's database file. Statements arrive in the
// screens' dialect and are translated for SQLite (JetDialect) just before they run. Qt SQL
// opens and owns the connection; statements run on its SQLite handle directly, which keeps
// the layer's cost close to SQLite's own.
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

    // Opens the file, creating it with its tables and first rows when it is missing and bringing
    // an older file up to date. A file that is not this program's database is left untouched.
    // Throws DbError with the database's description.
    void open(const QString& path);
    void close();
    bool isOpen() const;
    const QString& path() const { return m_path; }

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

    Prompt& m_prompt;
    QString m_connectionName;
    sqlite3* m_handle = nullptr;
    QString m_path;
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
