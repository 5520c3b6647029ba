#include "RegistrationQuery.h"

#include "Database.h"
#include "Money.h"
#include "Sql.h"


const QString RegistrationQuery::kColumns = QStringLiteral(
    "登记编号,125;账单号,100;餐桌名,60;服务生,60;状态,50;消费合计,80;进店时间,145;离开时间,145;备注,100");

RegistrationQuery::RegistrationQuery(Database& db) : m_db(db) {}

ReportTable RegistrationQuery::compute(const ReportPeriod& period, int waiter, const QString& waiterName)
{
    const bool all = waiterName.isEmpty();
    ReportTable table;
    table.title = QStringLiteral("登记详细报表");
    table.subtitle = QStringLiteral("登记日期:") + period.first.toString(QStringLiteral("yyyy-MM-dd")) +
                     QStringLiteral("—") + period.last.toString(QStringLiteral("yyyy-MM-dd")) +
                     QStringLiteral("      服务生:") + (all ? QStringLiteral("全部") : waiterName);

    QHash<QString, QString> waiters;
    if (!waiterNames(m_db, waiters))
        return table;
    Recordset rs;

    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from dj where ") +
                                    period.between(QStringLiteral("jdsj")) +
                                    QStringLiteral(" and fws like ") +
                                    Sql::quote(all ? QStringLiteral("%") : QString::number(waiter))))
        return table;
    qint64 total = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const qint64 amount = Money::cents(rs.getDouble(QStringLiteral("xfhj")));
        table.rows << QStringList{rs.getString(QStringLiteral("djbh")),
                                  rs.getString(QStringLiteral("jzdh")),
                                  rs.getString(QStringLiteral("czm")),
                                  waiters.value(rs.getString(QStringLiteral("fws")), QStringLiteral("*")),
                                  rs.getString(QStringLiteral("xfzt")),
                                  centsText(amount),
                                  rs.getString(QStringLiteral("jdsj")),
                                  rs.getString(QStringLiteral("ldsj")),
                                  rs.getString(QStringLiteral("bz"))};
        total += amount;
    }
    table.rows << QStringList{QStringLiteral("合计"), {}, {}, {}, {}, centsText(total), {}, {}, {}};
    return table;
}

int RegistrationQuery::waiterOf(const QString& registration)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs,
                            QStringLiteral("select fws from dj where djbh=") + Sql::quote(registration)) ||
        rs.isEOF())
        return 0;
    return rs.getInt(QStringLiteral("fws"));
}
