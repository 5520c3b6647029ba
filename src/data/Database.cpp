#include "Database.h"

#include "Clock.h"
#include "ControlCharacters.h"
#include "DbError.h"
#include "JetDialect.h"
#include "Prompt.h"
#include "Schema.h"

#include <QAtomicInt>
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
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

void Database::open(const QString& path)
{
    close();
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
    try {
        Schema::prepare(*this);
    } catch (...) {
        close();
        throw;
    }
}

void Database::close()
{
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
    if (!m_handle)
        throw DbError(QStringLiteral("database not open"));
    // Every typed value reaches the database as a quoted literal: this is where control
    // characters are refused, whichever screen they were typed or pasted into.
    if (ControlCharacters::inLiterals(statement))
        throw DbError(ControlCharacters::kRefused);
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
