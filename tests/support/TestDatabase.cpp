#include "TestDatabase.h"

#include "DataFolder.h"
#include "DbError.h"
#include "ServerConnection.h"

#include <QDir>
#include <QTest>

TestDatabase::TestDatabase() : TestDatabase(onServer() ? Backend::PostgreSQL : Backend::SQLite) {}

TestDatabase::TestDatabase(Backend backend) : m_onServer(backend == Backend::PostgreSQL), db(prompt)
{
    if (m_onServer) {
        emptyServerDatabase();
        // A program started on the test's folder opens the same database.
        DataFolder::keepDatabaseSetting({QStringLiteral("test"), QStringLiteral("--database"), location()}, folder());
    }
    db.open(location());
}

void TestDatabase::emptyServerDatabase()
{
    ServerConnection server;
    server.connect(qEnvironmentVariable("PELVAR_TEST_DATABASE"));
    server.run("drop schema public cascade; create schema public", nullptr);
}

bool TestDatabase::onServer()
{
    return qEnvironmentVariableIsSet("PELVAR_TEST_DATABASE");
}

QString TestDatabase::location() const
{
    return m_onServer ? qEnvironmentVariable("PELVAR_TEST_DATABASE") : filePath();
}

QString TestDatabase::filePath() const
{
    return QDir(m_dir.path()).filePath(Database::kFileName);
}

void TestDatabase::exec(const QString& statement)
{
    try {
        db.ExecuteSql(statement);
    } catch (const DbError& e) {
        QFAIL(qPrintable(statement + QStringLiteral(": ") + e.description()));
    }
}

QString TestDatabase::scalar(const QString& statement)
{
    Recordset rs = db.query(statement);
    return rs.isEOF() ? QString() : rs.getString(rs.columns().value(0));
}
