#include "BackupCheck.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Schema.h"
#include "Sql.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <sqlite3.h>

namespace {

// A prompt that keeps what it is told: the copy is checked without a word to the operator.
class Silent final : public Prompt
{
public:
    Answer show(const QString&, const QString&, Icon, Buttons) override { return Answer::No; }
};

QStringList firstColumn(Database& db, const QString& statement)
{
    QStringList values;
    for (Recordset rs = db.query(statement); !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values;
}

QSet<QString> columns(Database& db, const QString& schema, const QString& table)
{
    const QStringList names = firstColumn(
        db, QStringLiteral("select name from pragma_table_info(%1,%2)").arg(Sql::quote(table), Sql::quote(schema)));
    return QSet<QString>(names.begin(), names.end());
}

// The first column of every row; false when the statement fails.
bool rawColumn(sqlite3* db, const char* statement, QStringList& values)
{
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db, statement, -1, &prepared, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(prepared)) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 0)));
    sqlite3_finalize(prepared);
    return rc == SQLITE_DONE;
}

// The checks made before anything is written to the copy: a damaged or foreign file stays as it is.
QString checkAsIs(const QString& copy)
{
    sqlite3* db = nullptr;
    QStringList tables, integrity, version;
    QString reason;
    if (sqlite3_open_v2(QFile::encodeName(copy).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        !rawColumn(db, "select name from sqlite_master", tables))
        reason = QStringLiteral("它不是数据库文件");
    else if (!rawColumn(db, "pragma integrity_check", integrity) || integrity != QStringList{QStringLiteral("ok")})
        reason = QStringLiteral("它已损坏");
    else if (rawColumn(db, "pragma user_version", version) && version.value(0).toInt() > Schema::kVersion)
        reason = QStringLiteral("它的版本(%1)高于本程序所支持的版本(%2)").arg(version.value(0)).arg(Schema::kVersion);
    else if (version.value(0).toInt() < 1)
        reason = QStringLiteral("它不是本系统的数据库备份");
    sqlite3_close(db);
    return reason;
}

} // namespace

namespace BackupCheck {

QString refusal(const QString& copy, Database& live)
{
    if (const QString reason = checkAsIs(copy); !reason.isEmpty())
        return reason;
    Silent silent;
    Database db(silent);
    try {
        db.open(copy);
    } catch (const DbError& e) {
        return QStringLiteral("它无法升级到本程序的版本(%1)").arg(e.description());
    }
    try {
        for (const QString& table : firstColumn(live, QStringLiteral("select name from main.sqlite_master where "
                                                                     "type='table' and name not like 'sqlite%'")))
            if (!columns(live, QStringLiteral("main"), table).subtract(columns(db, QStringLiteral("main"), table)).isEmpty())
                return QStringLiteral("它不是本系统的数据库备份");
        if (db.query(QStringLiteral("select count(*) from [user] where xm='系统管理员'")).value(0).toInt() == 0)
            return QStringLiteral("其中没有系统管理员");
    } catch (const DbError& e) {
        return e.description();
    }
    return QString();
}

} // namespace BackupCheck
