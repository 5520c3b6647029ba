#include "ServerConnection.h"

#include "DbError.h"
#include "Recordset.h"

#include <libpq-fe.h>

namespace {

QString serverMessage(const PGconn* conn)
{
    return QString::fromUtf8(PQerrorMessage(conn)).trimmed();
}

// Where the location's authority (user@host:port) ends and its database name begins.
struct Parts
{
    QString head;     // "postgresql://user@host:port"
    QString database; // "dbname", "" when none
    QString tail;     // "?sslmode=require", "" when none
};

Parts split(const QString& location)
{
    const qsizetype start = location.indexOf(QLatin1String("://")) + 3;
    qsizetype query = location.indexOf(QLatin1Char('?'), start);
    if (query < 0)
        query = location.size();
    qsizetype slash = location.indexOf(QLatin1Char('/'), start);
    if (slash < 0 || slash > query)
        slash = query;
    return {location.left(slash), location.mid(slash + 1, query - slash - 1), location.mid(query)};
}

} // namespace

ServerConnection::~ServerConnection()
{
    disconnect();
}

void ServerConnection::connect(const QString& location)
{
    disconnect();
    m_location = location;
    PGconn* conn = PQconnectdb(location.toUtf8().constData());
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString reason = serverMessage(conn);
        PQfinish(conn);
        throw DbError(QStringLiteral("无法连接数据库服务器 %1：%2").arg(location, reason));
    }
    PQsetClientEncoding(conn, "UTF8");
    // Server notices (a table that did not exist for "drop ... if exists") are no one's business.
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);
    m_conn = conn;
}

void ServerConnection::disconnect()
{
    if (m_conn)
        PQfinish(m_conn);
    m_conn = nullptr;
}

bool ServerConnection::inTransaction() const
{
    return m_conn && PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

void ServerConnection::run(const QByteArray& sql, Recordset* result)
{
    if (!m_conn)
        throw DbError(QStringLiteral("database not open"));
    if (PQstatus(m_conn) == CONNECTION_BAD) {
        // The work of a transaction the server lost is gone: its statements fail until it ends.
        if (m_lostInTransaction)
            throw DbError(QStringLiteral("与数据库服务器的连接已断开"));
        PQreset(m_conn);
        if (PQstatus(m_conn) != CONNECTION_OK)
            throw DbError(QStringLiteral("无法连接数据库服务器 %1：%2").arg(m_location, serverMessage(m_conn)));
        PQsetClientEncoding(m_conn, "UTF8");
    }
    const bool wasInTransaction = inTransaction();
    PGresult* answer = PQexec(m_conn, sql.constData());
    const ExecStatusType status = PQresultStatus(answer);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        // The server's own sentence, as SQLite gives its message (no "ERROR:", no caret line).
        const char* primary = PQresultErrorField(answer, PG_DIAG_MESSAGE_PRIMARY);
        const QString message = QString::fromUtf8(primary ? primary : PQresultErrorMessage(answer)).trimmed();
        PQclear(answer);
        if (PQstatus(m_conn) == CONNECTION_BAD)
            m_lostInTransaction = wasInTransaction;
        throw DbError(message.isEmpty() ? serverMessage(m_conn) : message);
    }
    if (result)
        result->load(answer);
    PQclear(answer);
    // Ending a transaction (commit or rollback) makes a lost connection worth opening again.
    if (!inTransaction())
        m_lostInTransaction = false;
}

void ServerConnection::rollback()
{
    if (m_conn && PQstatus(m_conn) == CONNECTION_BAD) {
        m_lostInTransaction = false;
        return;
    }
    if (inTransaction())
        run(QByteArrayLiteral("rollback"), nullptr);
}

QString ServerConnection::refusePassword(const QString& location)
{
    const Parts parts = split(location);
    const QString authority = parts.head.mid(parts.head.indexOf(QLatin1String("://")) + 3);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    const bool inUser = at >= 0 && authority.left(at).contains(QLatin1Char(':'));
    const bool inQuery = parts.tail.contains(QLatin1String("password="), Qt::CaseInsensitive);
    return inUser || inQuery ? location : QString();
}

QString ServerConnection::maintenanceLocation(const QString& location)
{
    return withDatabase(location, QStringLiteral("postgres"));
}

QString ServerConnection::withDatabase(const QString& location, const QString& name)
{
    const Parts parts = split(location);
    return parts.head + QLatin1Char('/') + name + parts.tail;
}

QString ServerConnection::databaseName(const QString& location)
{
    return split(location).database;
}

namespace {

QByteArray quotedName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

void ServerConnection::createDatabase(const QString& location)
{
    ServerConnection server;
    server.connect(maintenanceLocation(location));
    // Template 0 with UTF-8: every server gives the same encoding, whatever its own default.
    server.run("create database " + quotedName(databaseName(location)) + " template template0 encoding 'UTF8'",
               nullptr);
}

void ServerConnection::dropDatabase(const QString& location)
{
    ServerConnection server;
    server.connect(maintenanceLocation(location));
    server.run("drop database if exists " + quotedName(databaseName(location)), nullptr);
}
