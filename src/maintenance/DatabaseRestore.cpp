#include "DatabaseRestore.h"

#include "Access.h"
#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Schema.h"

#include <filesystem>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <sqlite3.h>

namespace {

// The tables every version of the database has.
const char* const kTables[] = {"fj",   "cz",  "dj", "xfmx", "jzhz", "xm",   "lb", "hy", "hydj",
                               "user", "fws", "yd", "yybc", "zcsr", "dysz", "gs", "log"};

// The first column of every row, or nothing when the statement fails.
QStringList firstColumn(sqlite3* db, const char* statement)
{
    QStringList values;
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db, statement, -1, &prepared, nullptr) != SQLITE_OK)
        return {};
    int rc;
    while ((rc = sqlite3_step(prepared)) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 0)));
    sqlite3_finalize(prepared);
    return rc == SQLITE_DONE ? values : QStringList();
}

// Copies through a temporary file beside `to` that is flushed to disk and renamed over it, so
// `to` is always either what it was or the whole copy. Returns the reason of a failure.
QString copyDurably(const QString& from, const QString& to)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    if (!target.open(QIODevice::WriteOnly))
        return target.errorString();
    while (!source.atEnd()) {
        const QByteArray block = source.read(1 << 20);
        if (block.isEmpty() || target.write(block) != block.size())
            return block.isEmpty() ? source.errorString() : target.errorString();
    }
    return target.commit() ? QString() : target.errorString();
}

QString renameOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(),
                            error);
    return error ? QString::fromLocal8Bit(error.message()) : QString();
}

} // namespace

DatabaseRestore::DatabaseRestore(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

bool DatabaseRestore::isValidBackup(const QString& file)
{
    sqlite3* db = nullptr;
    bool valid =
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        firstColumn(db, "pragma integrity_check") == QStringList{QStringLiteral("ok")};
    const int version = valid ? firstColumn(db, "pragma user_version").value(0).toInt() : 0;
    valid = valid && version >= 1 && version <= Schema::kVersion;
    const QStringList tables =
        valid ? firstColumn(db, "select name from sqlite_master where type='table'") : QStringList();
    for (const char* table : kTables)
        valid = valid && tables.contains(QLatin1String(table));
    sqlite3_close(db);
    return valid;
}

bool DatabaseRestore::restore(const QString& chosen)
{
    if (!m_prompt.ask(QStringLiteral("你真的要恢复此数据库吗?恢复错误的数据文件有可能造成系统瘫痪!")))
        return false;
    const QString file = m_db.path();
    // The copy that will become the database, checked as it will be used.
    const QString checked = file + QStringLiteral(".restore");
    if (QFileInfo(chosen).canonicalFilePath() == QFileInfo(file).canonicalFilePath()) {
        m_prompt.warn(kInvalid);
        return false;
    }
    if (const QString reason = copyDurably(chosen, checked); !reason.isEmpty()) {
        fail(reason);
        return false;
    }
    if (!isValidBackup(checked)) {
        QFile::remove(checked);
        m_prompt.warn(kInvalid);
        return false;
    }

    m_db.close();
    const QString safety = QFileInfo(file).dir().filePath(
        QStringLiteral("还原前%1.bak").arg(Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"))));
    // With the connection closed its write-ahead log is in the file; a log still there belongs
    // to another program using the database and would be applied to the restored file.
    QString reason = QFile::exists(file + QStringLiteral("-wal")) ? QStringLiteral("数据库正被其他程序使用")
                                                                  : copyDurably(file, safety);
    if (reason.isEmpty())
        reason = renameOver(checked, file);
    QFile::remove(checked);
    if (reason.isEmpty()) {
        reason = reopen(file);
        if (reason.isEmpty()) {
            m_prompt.info(QStringLiteral("数据库恢复成功!"), Prompt::kProgramTitle);
            return true;
        }
        if (const QString back = copyDurably(safety, file); !back.isEmpty()) {
            fail(QStringLiteral("还原的数据库无法打开(%1)，原数据库也未能放回(%2)，它保存在%3")
                     .arg(reason, back, QDir::toNativeSeparators(safety)));
            return false;
        }
        reason = QStringLiteral("还原的数据库无法打开(%1)，已放回原数据库").arg(reason);
    }
    if (const QString again = reopen(file); !again.isEmpty())
        reason += QStringLiteral("；数据库无法重新打开(%1)").arg(again);
    fail(reason);
    return false;
}

QString DatabaseRestore::reopen(const QString& file)
{
    try {
        m_db.open(file);
        return QString();
    } catch (const DbError& e) {
        return e.description();
    }
}

void DatabaseRestore::fail(const QString& reason)
{
    m_prompt.warn(QStringLiteral("数据库恢复错误，错误原因：%1").arg(reason));
}
