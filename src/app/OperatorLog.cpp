#include "OperatorLog.h"

#include "Clock.h"
#include "Database.h"
#include "Field.h"
#include "Sql.h"

namespace {

constexpr int kFreeFailures = 3;
constexpr int kFirstWait = 5;
constexpr int kLongestWait = 300;

QString entry(const QString& name, const QString& event)
{
    return QStringLiteral("用户“") + name + QStringLiteral("”") + event;
}

} // namespace

OperatorLog::OperatorLog(Database& db) : m_db(db) {}

int OperatorLog::wait(const QString& name)
{
    QStringList events;
    for (const QString& event : {kLogin, kLoginFailed, kVouch, kVouchFailed})
        events << Sql::quote(entry(name, event));
    Recordset rs;
    // Enough of the latest entries to reach the longest wait.
    if (!m_db.OpenRecordset(rs, QStringLiteral("select top 12 log,date from log where log in (") +
                                    events.join(QLatin1Char(',')) + QStringLiteral(") order by logid desc")))
        return 0;
    int failures = 0;
    QDateTime last;
    for (; !rs.isEOF(); rs.moveNext()) {
        if (!rs.getString(QStringLiteral("log")).endsWith(QStringLiteral("失败")))
            break;
        if (failures++ == 0)
            last = ParseDateTime(rs.getString(QStringLiteral("date")));
    }
    if (failures < kFreeFailures || !last.isValid())
        return 0;
    const int shift = qMin(failures - kFreeFailures, 8);
    const int waitFor = qMin(kLongestWait, kFirstWait << shift);
    const qint64 passed = last.secsTo(Clock::now());
    // A clock set back does not lengthen the wait beyond its own length.
    return passed < 0 ? waitFor : int(qMax<qint64>(0, waitFor - passed));
}

QString OperatorLog::waitMessage(int seconds)
{
    return QStringLiteral("密码错误次数过多,请%1秒后再试!").arg(seconds);
}

void OperatorLog::record(const QString& name, const QString& event, bool inTransaction)
{
    const QString statement = QStringLiteral("insert into log(log,date) values(") +
                              Sql::quote(entry(name, event)) + QLatin1Char(',') +
                              Sql::quote(Sql::timeText(Clock::now())) + QLatin1Char(')');
    if (inTransaction) {
        m_db.ExecuteSql(statement);
        return;
    }
    Recordset none;
    m_db.OpenRecordset(none, statement);
}
