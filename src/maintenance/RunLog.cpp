#include "RunLog.h"

#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

RunLog::RunLog(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

bool RunLog::entries(QList<QStringList>& rows)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from log")))
        return false;
    rows.clear();
    for (; !rs.isEOF(); rs.moveNext())
        rows << QStringList{
            rs.getString(QStringLiteral("logid")), rs.getString(QStringLiteral("log")),
            rs.getDateTime(QStringLiteral("date")).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
    return true;
}

bool RunLog::empty(const QString& operatorName)
{
    if (!m_prompt.ask(QStringLiteral("你真的删除运行日志吗？")))
        return false;
    Recordset none;
    if (!m_db.OpenRecordset(none, QStringLiteral("delete * from log")) ||
        !m_db.OpenRecordset(none, QStringLiteral("alter table log alter column [logid] COUNTER (1, 1) ")))
        return false;
    m_prompt.info(QStringLiteral("清空日志完毕!"));
    write(operatorName, QStringLiteral("”清空日志"));
    return true;
}

void RunLog::write(const QString& operatorName, const QString& closing)
{
    Recordset none;
    m_db.OpenRecordset(none, QStringLiteral("insert into log(log) values(") +
                                 Sql::quote(QStringLiteral("用户“") + operatorName + closing) +
                                 QStringLiteral(")"));
}
