#include "Database.h"

#include "Clock.h"
#include "ControlCharacters.h"
#include "DataFolder.h"
#include "DbError.h"
#include "JetDialect.h"
#include "Prompt.h"
#include "Schema.h"
#include "ServerConnection.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace {

QString describe(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QAtomicInt g_connections;

} // namespace

Database::Database(Prompt& prompt)
    : m_prompt(prompt), m_connectionName(QStringLiteral("pelvar-%1").arg(g_connections.fetchAndAddRelaxed(1)))
{
}

Database::~Database()
{
    close();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::isOpen() const
{
    if (m_server)
        return m_server->isConnected();
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

void Database::open(const QString& location)
{
    close();
    if (isServerLocation(location)) {
        auto server = std::make_unique<ServerConnection>();
        server->connect(location);
        m_server = std::move(server);
        m_path = location;
    } else {
        openFile(location);
    }
    try {
        m_created = Schema::prepare(*this);
    } catch (...) {
        close();
        throw;
    }
    // The restaurant's file and SQLite's files beside it are the owner's alone (SQLite gives the
    // log and the shared memory the database's mode when it makes them).
    if (!m_server)
        for (const char* suffix : {"", "-wal", "-shm"})
            DataFolder::makePrivate(location + QLatin1String(suffix));
}

void Database::openFile(const QString& path)
{
    // A new file is made the owner's alone before SQLite writes anything into it.
    if (path != QLatin1String(":memory:") && !QFileInfo::exists(path))
        DataFolder::createPrivateFile(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open()) {
            const QString description = describe(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw DbError(description);
        }
    }
    const QVariant handle = connection().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        m_handle = *static_cast<sqlite3* const*>(handle.constData());
    if (!m_handle) {
        close();
        throw DbError(QStringLiteral("SQLite connection unavailable"));
    }
    m_path = path;
    // A row that REPLACE removes goes through the delete triggers too, so that the day totals let
    // go of it (off by default in SQLite).
    ExecuteSql(QStringLiteral("pragma recursive_triggers = on"));
}

void Database::close()
{
    m_server.reset();
    m_created = false;
    m_path.clear();
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = connection();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_handle = nullptr;
    m_path.clear();
}

void Database::run(const QString& statement, Recordset* result)
{
    // Every typed value reaches the database as a quoted literal: this is where control
    // characters are refused, whichever screen they were typed or pasted into.
    if (ControlCharacters::inLiterals(statement))
        throw DbError(ControlCharacters::kRefused);
    if (m_server) {
        if (result)
            result->close();
        m_server->run(JetDialect::translate(statement, Backend::PostgreSQL).toUtf8(), result);
        return;
    }
    if (!m_handle)
        throw DbError(QStringLiteral("database not open"));
    const QByteArray sql = JetDialect::translate(statement).toUtf8();
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(m_handle, sql.constData(), int(sql.size()), &prepared, nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_handle)));
    Recordset discard;
    const int rc = (result ? result : &discard)->load(prepared);
    sqlite3_finalize(prepared);
    if (rc != SQLITE_DONE) {
        if (result)
            result->close();
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_handle)));
    }
}

bool Database::OpenRecordset(Recordset& recordset, const QString& statement)
{
    recordset.close();
    try {
        run(statement, &recordset);
        return true;
    } catch (const DbError& e) {
        m_prompt.warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return false;
    }
}

bool Database::ExecuteSql(const QString& statement)
{
    run(statement, nullptr);
    return true;
}

Recordset Database::query(const QString& statement)
{
    Recordset result;
    run(statement, &result);
    return result;
}

void Database::begin()
{
    run(QStringLiteral("begin"), nullptr);
}

void Database::commit()
{
    run(QStringLiteral("commit"), nullptr);
}

void Database::rollback()
{
    if (m_server) {
        m_server->rollback();
        return;
    }
    if (m_handle && !sqlite3_get_autocommit(m_handle))
        run(QStringLiteral("rollback"), nullptr);
}

QString Database::GetCurrentShiftId()
{
    const QTime t = Clock::now().time();
    const QString moment =
        QStringLiteral("2010-01-01 %1:%2:%3").arg(t.hour()).arg(t.minute()).arg(t.second());
    Recordset shifts;
    if (!OpenRecordset(shifts, QStringLiteral("select * from yybc where qssj<#") + moment +
                                   QStringLiteral("# and jssj>#") + moment + QStringLiteral("#")))
        return QStringLiteral("0");
    if (shifts.isEOF())
        return QStringLiteral("0");
    return shifts.getString(QStringLiteral("yybcbh"));
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_db.rollback();
    } catch (const DbError&) {
        // The connection already ended the transaction; nothing is left to undo.
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}
