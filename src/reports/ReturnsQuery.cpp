#include "ReturnsQuery.h"

#include "Database.h"
#include "Money.h"
#include "Sql.h"

ReturnsQuery::ReturnsQuery(Database& db) : m_db(db) {}

QString ReturnsQuery::title(Mode mode)
{
    return mode == Mode::Returns ? QStringLiteral("退单查询") : QStringLiteral("赠单查询");
}

QString ReturnsQuery::columns(Mode mode)
{
    return mode == Mode::Returns
               ? QStringLiteral("编号,80;账单号,100;退单项目,140;餐桌名,80;数量,50;单价,60;折扣,50;"
                                "金额,60;记账人,70;消费时间, 160;退单原因,100")
               : QStringLiteral("编号,80;账单号,100;赠单项目,140;餐桌名,80;数量,50;单价,60;折扣,50;"
                                "金额,60;记账人,70;消费时间, 160");
}

ReportTable ReturnsQuery::compute(Mode mode, const ReportPeriod& period, const QString& bill)
{
    const bool returns = mode == Mode::Returns;
    ReportTable table;
    table.title = QStringLiteral("退单明细报表");
    table.subtitle =
        QStringLiteral("起止时间:") + period.startText() + QStringLiteral("－") + period.endText();
    Recordset rs;
    if (!m_db.OpenRecordset(
            rs, QStringLiteral("select * from xfmx where jzzdh like ") +
                    Sql::quote(bill.isEmpty() ? QStringLiteral("%") : bill) + QStringLiteral(" and ") +
                    period.between(QStringLiteral("xfsj")) +
                    (returns ? QStringLiteral(" and CDbl(sl)<0") : QStringLiteral(" and dzbl='0'"))))
        return table;
    qint64 total = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const double quantity = rs.getDouble(QStringLiteral("sl"));
        const qint64 amount = Money::cents(quantity * rs.getDouble(QStringLiteral("xmdj")) *
                                           rs.getDouble(QStringLiteral("dzbl")));
        QStringList row{rs.getString(QStringLiteral("xfbh")),
                        rs.getString(QStringLiteral("jzzdh")),
                        rs.getString(QStringLiteral("xfxm")) +
                            (quantity < 0 ? QStringLiteral("(退)") : QStringLiteral("(赠)")),
                        rs.getString(QStringLiteral("czm")),
                        Sql::money(rs.getDouble(QStringLiteral("sl"))),
                        Sql::money(rs.getDouble(QStringLiteral("xmdj"))),
                        Sql::money(rs.getDouble(QStringLiteral("dzbl"))),
                        centsText(amount),
                        rs.getString(QStringLiteral("jzr")),
                        rs.getString(QStringLiteral("xfsj"))};
        if (returns)
            row << rs.getString(QStringLiteral("tdbz"));
        table.rows << row;
        total += amount;
    }
    QStringList totalRow(returns ? 11 : 10);
    totalRow[0] = QStringLiteral("合计");
    totalRow[7] = centsText(total);
    table.rows << totalRow;
    return table;
}
