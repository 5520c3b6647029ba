#include "TestDatabase.h"

#include "DbError.h"

#include <QDir>
#include <QTest>

TestDatabase::TestDatabase() : db(prompt)
{
    db.open(filePath());
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
