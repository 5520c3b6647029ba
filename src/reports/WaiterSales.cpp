#include "WaiterSales.h"

#include "Database.h"
#include "DayTotals.h"
#include "Money.h"
#include "Sql.h"

const QString WaiterSales::kColumns =
    QStringLiteral("服务生,120;项目名称,100;数量,60;打折金额,80;实收金额,80;");
const QString WaiterSales::kNoWaiter = QStringLiteral("未指定服务生");

WaiterSales::WaiterSales(Database& db) : m_db(db) {}

QString WaiterSales::heading(const QStringList& items)
{
    return items.isEmpty() ? QStringLiteral("服务生销售统计(所有项目)")
                           : QStringLiteral("服务生销售统计(指定项目)");
}

QStringList WaiterSales::itemNames()
{
    QStringList names;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select xmm from xm order by lbm,xmbh")))
        for (; !rs.isEOF(); rs.moveNext())
            names << rs.getString(QStringLiteral("xmm"));
    return names;
}

ReportTable WaiterSales::compute(const ReportPeriod& period, const QStringList& items, LineSource source)
{
    ReportTable table;
    table.title = heading(items);
    table.subtitle =
        QStringLiteral("起止时间:") + period.startText() + QStringLiteral("—") + period.endText();

    QHash<QString, QString> waiters;
    if (!waiterNames(m_db, waiters))
        return table;
    Recordset rs;

    QString chosen;
    if (!items.isEmpty()) {
        QStringList quoted;
        for (const QString& item : items)
            quoted << Sql::quote(item);
        chosen = QStringLiteral(" and xfmx.xfxm in (") + quoted.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    // The join ties each settled line to the visit of the same bill and table.
    const QString statement =
        source == LineSource::Lines
            ? QStringLiteral(
                  "select dj.fws, xfmx.xfxm, sum(%1) as sl,sum (%2) as dzje,sum (%3) "
                  "as ysje from xfmx,dj where xfmx.jzzdh=dj.jzdh")
                      .arg(DayTotals::tenThousandths(QStringLiteral("xfmx.sl")),
                           DayTotals::tenThousandths(QStringLiteral("xfmx.dzje")),
                           DayTotals::tenThousandths(QStringLiteral("xfmx.ysje"))) +
                  chosen + QStringLiteral(" and dj.czm=xfmx.czm and ") +
                  period.between(QStringLiteral("xfmx.xfsj")) + QStringLiteral(" group by dj.fws,xfmx.xfxm")
            : QStringLiteral("select fws,xfxm,sum(sl) as sl,sum(dzje) as dzje,sum(ysje) as ysje from ") +
                  DayTotals::servedLines(period.first, period.last) +
                  QStringLiteral(" xfmx where true") + chosen + QStringLiteral(" group by fws,xfxm");
    if (!m_db.OpenRecordset(rs, statement))
        return table;
    qint64 quantity = 0; // hundredths
    qint64 discount = 0;
    qint64 received = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const qint64 lineQuantity = tenThousandthsCents(rs.getDouble(QStringLiteral("sl"))); // hundredths
        const qint64 lineDiscount = tenThousandthsCents(rs.getDouble(QStringLiteral("dzje")));
        const qint64 lineReceived = tenThousandthsCents(rs.getDouble(QStringLiteral("ysje")));
        table.rows << QStringList{waiters.value(rs.getString(QStringLiteral("fws")), kNoWaiter),
                                  rs.getString(QStringLiteral("xfxm")), quantityText(double(lineQuantity) / 100),
                                  centsText(lineDiscount), centsText(lineReceived)};
        quantity += lineQuantity;
        discount += lineDiscount;
        received += lineReceived;
    }
    table.rows << QStringList{QStringLiteral("合计"), QString(),
                              QString::number(double(quantity) / 100, 'f', 0), centsText(discount),
                              centsText(received)};
    return table;
}
