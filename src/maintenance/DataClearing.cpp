#include "DataClearing.h"

#include "Database.h"
#include "DatabaseCompaction.h"
#include "DayTotals.h"
#include "DbError.h"
#include "Prompt.h"
#include "RunLog.h"

#include <algorithm>

const QList<DataClearing::Group>& DataClearing::groups()
{
    static const QList<Group> all = {
        {QStringLiteral("清空房间、餐桌信息数据表"),
         {QStringLiteral("delete * from fj"), QStringLiteral("delete * from cz")}},
        {QStringLiteral("清空消费项目信息表"), {QStringLiteral("delete * from xm")}},
        {QStringLiteral("清空消费明细表"), {QStringLiteral("delete * from\txfmx")}, true, true},
        {QStringLiteral("清空账单汇总表"), {QStringLiteral("delete * from jzhz")}, false, true},
        {QStringLiteral("清空会员信息表"), {QStringLiteral("delete * from hy")}},
        {QStringLiteral("清空登记信息表"), {QStringLiteral("delete * from dj")}, true, true},
        {QStringLiteral("清空预订信息表"), {QStringLiteral("delete * from YD")}},
        {QStringLiteral("清空服务生信息"), {QStringLiteral("delete * from fws")}},
        {QStringLiteral("清空日志信息"), {QStringLiteral("delete * from log")}},
        {QStringLiteral("支出收入信息"), {QStringLiteral("delete * from ZCSR")}},
    };
    return all;
}

DataClearing::DataClearing(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

bool DataClearing::clear(const QList<int>& checked, const QString& operatorName)
{
    if (std::any_of(checked.begin(), checked.end(), [](int i) { return groups().value(i).openOrders; })) {
        Recordset occupied;
        if (!m_db.OpenRecordset(occupied, QStringLiteral("select czm from cz where zyzt='占用' order by czm")))
            return false;
        QStringList tables;
        for (; !occupied.isEOF(); occupied.moveNext())
            tables << occupied.getString(QStringLiteral("czm"));
        if (!tables.isEmpty()) {
            m_prompt.warn(kTablesOccupied.arg(tables.join(QStringLiteral("、"))));
            return false;
        }
    }
    if (!m_prompt.ask(QStringLiteral("你真的要清理所选数据表吗？清理后所选数据表将删除所有数据！")))
        return false;
    try {
        Transaction transaction(m_db);
        // Lines and visits go at once, without the day totals' triggers, which are then put back
        // with the totals of what is left.
        const bool dayTotals =
            std::any_of(checked.begin(), checked.end(), [](int i) { return groups().value(i).dayTotals; });
        if (dayTotals)
            for (const QString& statement : DayTotals::withoutTriggers(m_db))
                m_db.ExecuteSql(statement);
        for (int i = 0; i < groups().size(); ++i)
            if (checked.contains(i))
                for (const QString& statement : groups().at(i).statements)
                    m_db.ExecuteSql(statement);
        if (dayTotals)
            for (const QString& statement : DayTotals::schema(m_db))
                m_db.ExecuteSql(statement);
        transaction.commit();
    } catch (const DbError& e) {
        m_prompt.warn(QStringLiteral("数据清空发生错误，错误原因：%1").arg(e.description()));
        return false;
    }
    m_prompt.info(QStringLiteral("清空完毕!"));
    RunLog(m_db, m_prompt).write(operatorName, QStringLiteral("”清空数据"));
    DatabaseCompaction(m_db, m_prompt).compact(false);
    return true;
}
