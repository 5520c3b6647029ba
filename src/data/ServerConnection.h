#pragma once

#include <QString>

class Recordset;
struct pg_conn;

// One connection to a PostgreSQL server through libpq: statements run on its handle as the SQLite
// path runs them on its own, results arrive whole in a Recordset. The location is a libpq URI
// ("postgresql://user@host:port/dbname?sslmode=require"); the password comes from ~/.pgpass or
// PGPASSWORD, never from the location (see refusePassword()).
class ServerConnection final
{
public:
    ServerConnection() = default;
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Throws DbError "无法连接数据库服务器…" with libpq's reason.
    void connect(const QString& location);
    void disconnect();
    bool isConnected() const { return m_conn != nullptr; }

    // Runs one statement text (it may hold several statements); throws DbError with the server's
    // message. A connection the server dropped is opened again first, unless a transaction was
    // under way (its work is lost and the statement fails, as any failed statement does).
    void run(const QByteArray& sql, Recordset* result);
    bool inTransaction() const;
    // Ends the transaction under way; on a connection the server dropped there is nothing left to
    // undo, and the next statement connects again.
    void rollback();

    // The location's text when it names a password (user:password@ or password=), which must
    // not be kept in a settings file or typed on a command line; empty when it does not.
    static QString refusePassword(const QString& location);
    // The location without its database name, on the database "postgres": for creating and
    // dropping databases.
    static QString maintenanceLocation(const QString& location);
    static QString withDatabase(const QString& location, const QString& name);
    // The database name the location ends in ("" when none).
    static QString databaseName(const QString& location);
    // Creates (drops) the location's database on its server, connected to the server's database
    // "postgres" as the location's user. Throws DbError.
    static void createDatabase(const QString& location);
    static void dropDatabase(const QString& location);

private:
    pg_conn* m_conn = nullptr;
    QString m_location;
    bool m_lostInTransaction = false;
};
