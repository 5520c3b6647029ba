#include "DatabaseRestore.h"

#include "BackupCheck.h"
#include "Clock.h"
#include "DataFolder.h"
#include "Database.h"
#include "DayTotals.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

#include <filesystem>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const char* const kLiveSuffixes[] = {"", "-wal", "-shm", "-journal"};

void removeWithJournal(const QString& file)
{
    for (const char* suffix : kLiveSuffixes)
        QFile::remove(file + QLatin1String(suffix));
}

// Whether the chosen file is the open database or one of SQLite's files beside it, by name or as
// the same file under another name. Nothing is opened to find out.
bool isLiveFile(const QString& chosen, const QString& database)
{
    const std::string path = QFile::encodeName(chosen).toStdString();
    for (const char* suffix : kLiveSuffixes) {
        const QString live = database + QLatin1String(suffix);
        std::error_code error;
        if (QFileInfo(chosen).absoluteFilePath() == QFileInfo(live).absoluteFilePath() ||
            std::filesystem::equivalent(path, QFile::encodeName(live).toStdString(), error))
            return true;
    }
    return false;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Copies the chosen file into a new file only its owner may read, flushed to disk. Returns the
// reason of a failure, as the system words it (a full disk says so).
QString copyPrivately(const QString& from, const QString& to)
{
    if (const QString reason = DataFolder::createPrivateFile(to); !reason.isEmpty())
        return reason;
    const int source = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return systemError(errno);
    const int target = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CLOEXEC);
    int error = target < 0 ? errno : 0;
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (error == 0) {
        const ssize_t got = ::read(source, block.data(), size_t(block.size()));
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put = ::write(target, block.constData() + done, size_t(got - done));
            if (put < 0)
                error = errno;
            else
                done += put;
        }
    }
    if (error == 0 && ::fsync(target) != 0)
        error = errno;
    ::close(source);
    if (target >= 0 && ::close(target) != 0 && error == 0)
        error = errno;
    return error == 0 ? QString() : systemError(error);
}

// The database as it stands, in a new file only the owner may read. It is read through a
// connection of its own, which sees what was committed before the open connection took the write
// lock (SQLite does not copy from a connection in a write transaction), and nothing can be
// committed after it. Returns the reason of a failure.
QString snapshot(const QString& database, const QString& path)
{
    if (const QString reason = DataFolder::createPrivateFile(path); !reason.isEmpty())
        return reason;
    sqlite3* reader = nullptr;
    QString reason;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &reader, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_busy_timeout(reader, 3000) != SQLITE_OK ||
        sqlite3_exec(reader, ("vacuum into " + Sql::quote(path)).toUtf8().constData(), nullptr, nullptr, nullptr) !=
            SQLITE_OK)
        reason = QString::fromUtf8(sqlite3_errmsg(reader));
    sqlite3_close(reader);
    if (!reason.isEmpty())
        removeWithJournal(path);
    return reason;
}

QStringList firstColumn(Database& db, const QString& statement)
{
    QStringList values;
    for (Recordset rs = db.query(statement); !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values;
}

} // namespace

DatabaseRestore::DatabaseRestore(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

bool DatabaseRestore::restore(const QString& chosen, const QString& operatorName)
{
    if (!m_prompt.ask(QStringLiteral("你真的要恢复此数据库吗?恢复错误的数据文件有可能造成系统瘫痪!")))
        return false;
    const QString refused = QStringLiteral("不能用所选文件还原数据库：%1!");
    const QString file = m_db.path();
    if (isLiveFile(chosen, file)) {
        m_prompt.warn(refused.arg(QStringLiteral("它是正在使用的数据库")));
        return false;
    }
    // The copy that is checked and read from, so that the chosen file itself is never written to.
    const QString checked = file + QStringLiteral(".restore");
    removeWithJournal(checked);
    QString reason = copyPrivately(chosen, checked);
    if (!reason.isEmpty()) {
        removeWithJournal(checked);
        fail(QStringLiteral("复制所选文件出错(%1)").arg(reason));
        return false;
    }
    reason = BackupCheck::refusal(checked, m_db);
    if (!reason.isEmpty()) {
        removeWithJournal(checked);
        m_prompt.warn(refused.arg(reason));
        return false;
    }
    reason = replace(checked, chosen, operatorName);
    removeWithJournal(checked);
    if (!reason.isEmpty()) {
        fail(reason);
        return false;
    }
    m_prompt.info(QStringLiteral("数据库恢复成功!"), Prompt::kProgramTitle);
    return true;
}

QString DatabaseRestore::replace(const QString& checked, const QString& chosen, const QString& operatorName)
{
    const QString safety = QFileInfo(m_db.path()).dir().filePath(
        QStringLiteral("还原前%1.bak").arg(Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"))));
    bool attached = false;
    bool held = false;
    bool kept = false;
    QString reason;
    try {
        m_db.ExecuteSql(QStringLiteral("attach database ") + Sql::quote(checked) + QStringLiteral(" as restored"));
        attached = true;
        // From here to the commit no other program writes: its write either came before, and is
        // in the safety copy, or waits and fails.
        m_db.ExecuteSql(QStringLiteral("begin immediate"));
        held = true;
        if (whileHeld)
            whileHeld();
        reason = snapshot(m_db.path(), safety);
        kept = reason.isEmpty();
        if (!kept)
            throw DbError(QStringLiteral("保存原数据库出错(%1)").arg(reason));
        // The day totals are counted afresh from the restored lines, under the program's own
        // triggers, whatever the backup held of them.
        for (const QString& statement : DayTotals::withoutTriggers())
            m_db.ExecuteSql(statement);
        const QStringList tables = firstColumn(
            m_db, QStringLiteral("select name from main.sqlite_master where type='table' and name not like "
                                 "'sqlite%' and name not in ('xfrhz','fwsrhz')"));
        for (const QString& table : tables) {
            const QString columns =
                firstColumn(m_db, QStringLiteral("select '['||name||']' from pragma_table_info(%1,'main')")
                                      .arg(Sql::quote(table)))
                    .join(QLatin1Char(','));
            m_db.ExecuteSql(QStringLiteral("delete from main.[%1]").arg(table));
            m_db.ExecuteSql(
                QStringLiteral("insert into main.[%1](%2) select %2 from restored.[%1]").arg(table, columns));
        }
        m_db.ExecuteSql(QStringLiteral("delete from main.sqlite_sequence"));
        m_db.ExecuteSql(QStringLiteral(
            "insert into main.sqlite_sequence(name,seq) select name,seq from restored.sqlite_sequence"));
        for (const QString& statement : DayTotals::schema())
            m_db.ExecuteSql(statement);
        m_db.ExecuteSql(QStringLiteral("insert into log(log,date) values(%1,%2)")
                            .arg(Sql::quote(QStringLiteral("用户“%1”还原数据库，备份文件：%2")
                                                .arg(operatorName, QDir::toNativeSeparators(chosen))),
                                 Sql::timeLiteral(Clock::now())));
        m_db.commit();
        held = false;
        reason.clear();
    } catch (const DbError& e) {
        reason = e.description();
    }
    if (held) {
        try {
            m_db.rollback();
        } catch (const DbError&) {
        }
        // The database is as it was: its copy is not needed.
        if (kept)
            removeWithJournal(safety);
    }
    if (attached) {
        try {
            m_db.ExecuteSql(QStringLiteral("detach database restored"));
        } catch (const DbError&) {
        }
    }
    return reason;
}

void DatabaseRestore::fail(const QString& reason)
{
    m_prompt.warn(QStringLiteral("数据库恢复错误，错误原因：%1").arg(reason));
}
