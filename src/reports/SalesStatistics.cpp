#include "SalesStatistics.h"

#include "Database.h"
#include "Money.h"
#include "Sql.h"

const QString SalesStatistics::kTableFee = QStringLiteral("餐桌费");

namespace {

struct Totals
{
    qint64 quantity = 0; // hundredths
    qint64 discount = 0;
    qint64 received = 0;
    qint64 purchaseProfit = 0;
    qint64 costProfit = 0;
};

} // namespace

SalesStatistics::SalesStatistics(Database& db) : m_db(db) {}

QString SalesStatistics::columns(Mode mode)
{
    return mode == Mode::Category
               ? QStringLiteral(
                     "类别名,120;销售数量,100;打折金额,100;实收金额,100;百分比,100;毛利,100;纯利,100;")
               : QStringLiteral(
                     "项目名,120;类别,80;销售数量,80;打折金额,80;实收金额,80;百分比,80;毛利,80;纯利,80;");
}

ReportTable SalesStatistics::compute(Mode mode, const ReportPeriod& period, LineSource source)
{
    const bool byCategory = mode == Mode::Category;
    ReportTable table;
    table.title =
        byCategory ? QStringLiteral("销售统计报表（项目类别）") : QStringLiteral("销售统计报表（项目名）");
    table.subtitle =
        QStringLiteral("起止时间:") + period.startText() + QStringLiteral("－") + period.endText();
    const ReportPeriod::Lines lines = period.lines(true, source);
    // The table fee is left out of the joined statements even where an item of that name exists,
    // so that it is never counted twice.
    const QString settled = QStringLiteral("from ") + lines.table +
                            QStringLiteral(",xm where xfmx.xfxm=xm.xmm") + lines.conditions +
                            QStringLiteral(" and xfmx.xfxm<>") + Sql::quote(kTableFee);
    const QString sums = QStringLiteral("%1 as sl,%2 as dzje,%3 as ysje").arg(lines.quantity, lines.discount, lines.due);
    const QString statement =
        byCategory
            ? QStringLiteral("select lbm,sum(sl) as sl,sum(dzje) as dzje,sum(ysje) as ysje,") +
                  costSum(QStringLiteral("(sl/10000.0)"), QStringLiteral("jhdj")) + QStringLiteral(" as ml,") +
                  costSum(QStringLiteral("(sl/10000.0)"), QStringLiteral("ckcb")) +
                  QStringLiteral(" as cl from (select %1,xm.lbm,xm.jhdj,xm.ckcb ").arg(sums) + settled +
                  QStringLiteral(") group by lbm")
            : QStringLiteral("select xfxm,lbm,sum(sl) as sl,sum(dzje) as dzje,sum(ysje) as ysje,jhdj,ckcb "
                             "from (select xfmx.xfxm,%1,xm.lbm,xm.jhdj,xm.ckcb ")
                      .arg(sums) +
                  settled + QStringLiteral(") group by xfxm,lbm,jhdj,ckcb order by lbm");
    const QString tableFee =
        QStringLiteral("select xfxm,sum(%1) as sl,sum(%2) as dzje,sum(%3) as ysje from ")
            .arg(lines.quantity, lines.discount, lines.due) +
        lines.table + QStringLiteral(" where xfxm=") + Sql::quote(kTableFee) + lines.conditions +
        QStringLiteral(" group by xfxm");

    Totals totals;
    QList<qint64> received;
    auto add = [&](const QStringList& names, const Recordset& rs, qint64 purchaseCost, qint64 cost) {
        const qint64 quantity = tenThousandthsCents(rs.getDouble(QStringLiteral("sl"))); // hundredths
        const qint64 discount = tenThousandthsCents(rs.getDouble(QStringLiteral("dzje")));
        const qint64 due = tenThousandthsCents(rs.getDouble(QStringLiteral("ysje")));
        table.rows << names + QStringList{quantityText(double(quantity) / 100),
                                          centsText(discount),
                                          centsText(due),
                                          QString(),
                                          centsText(due - purchaseCost),
                                          centsText(due - cost)};
        received << due;
        totals.quantity += quantity;
        totals.discount += discount;
        totals.received += due;
        totals.purchaseProfit += due - purchaseCost;
        totals.costProfit += due - cost;
    };

    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return table;
    for (; !rs.isEOF(); rs.moveNext()) {
        if (byCategory) {
            add({rs.getString(QStringLiteral("lbm"))}, rs,
                costCents(qRound64(rs.getDouble(QStringLiteral("ml")))),
                costCents(qRound64(rs.getDouble(QStringLiteral("cl")))));
        } else {
            const qint64 quantity = tenThousandthsCents(rs.getDouble(QStringLiteral("sl")));
            add({rs.getString(QStringLiteral("xfxm")), rs.getString(QStringLiteral("lbm"))}, rs,
                costCents(quantity * Money::cents(rs.getDouble(QStringLiteral("jhdj")))),
                costCents(quantity * Money::cents(rs.getDouble(QStringLiteral("ckcb")))));
        }
    }
    if (!m_db.OpenRecordset(rs, tableFee))
        return table;
    for (; !rs.isEOF(); rs.moveNext())
        add(byCategory ? QStringList{kTableFee} : QStringList{kTableFee, kTableFee}, rs, 0, 0);

    if (table.rows.isEmpty())
        return table;
    for (qsizetype i = 0; i < table.rows.size(); ++i)
        table.rows[i][byCategory ? 4 : 5] =
            Sql::money(totals.received == 0 ? 0.0 : double(received.at(i)) * 100 / double(totals.received)) +
            QLatin1Char('%');
    QStringList total{QStringLiteral("合计")};
    if (!byCategory)
        total << QString();
    total << QString::number(double(totals.quantity) / 100, 'f', 0) << centsText(totals.discount)
          << centsText(totals.received) << QString() << centsText(totals.purchaseProfit)
          << centsText(totals.costProfit);
    table.rows << total;
    return table;
}
