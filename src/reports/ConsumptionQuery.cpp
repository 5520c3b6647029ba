#include "ConsumptionQuery.h"

#include "Database.h"
#include "Money.h"
#include "Sql.h"

const QString ConsumptionQuery::kColumns =
    QStringLiteral("序号,60;账单号,100;项目名,100;餐桌名,70;数量,50;单价,60;"
                   "折扣,60;优惠金额,80;应收金额,80;记账人,90;消费时间,150");

ConsumptionQuery::ConsumptionQuery(Database& db) : m_db(db) {}

ReportTable ConsumptionQuery::compute(Mode mode, By by, const ReportPeriod& period, QString text)
{
    ReportTable table;
    table.title = mode == Mode::Present ? QStringLiteral("在店顾客消费明细报表")
                                        : QStringLiteral("离店顾客消费明细报表");
    table.subtitle =
        QStringLiteral("起止时间:") + period.startText() + QStringLiteral("－") + period.endText();
    text.remove(QLatin1Char('\''));
    const QString pattern = Sql::quote(text + QLatin1Char('%'));
    const QString condition = mode == Mode::Gone ? QStringLiteral("jzzdh like ") + pattern
                              : by == By::Table  ? QStringLiteral("jzbj='0' and czm like ") + pattern
                                                 : QStringLiteral("jzbj='0' and xfxm like ") + pattern;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where ") + condition +
                                    QStringLiteral(" and ") + period.between(QStringLiteral("xfsj")) +
                                    QStringLiteral(" order by xfsj")))
        return table;
    qint64 discount = 0;
    qint64 due = 0;
    for (int number = 1; !rs.isEOF(); rs.moveNext(), ++number) {
        const qint64 lineDiscount = Money::cents(rs.getDouble(QStringLiteral("dzje")));
        const qint64 lineDue = Money::cents(rs.getDouble(QStringLiteral("ysje")));
        table.rows << QStringList{QString::number(number),
                                  rs.getString(QStringLiteral("jzzdh")),
                                  rs.getString(QStringLiteral("xfxm")),
                                  rs.getString(QStringLiteral("czm")),
                                  Sql::money(rs.getDouble(QStringLiteral("sl"))),
                                  Sql::money(rs.getDouble(QStringLiteral("xmdj"))),
                                  Sql::money(rs.getDouble(QStringLiteral("dzbl"))),
                                  centsText(lineDiscount),
                                  centsText(lineDue),
                                  rs.getString(QStringLiteral("jzr")),
                                  rs.getString(QStringLiteral("xfsj"))};
        discount += lineDiscount;
        due += lineDue;
    }
    QStringList total(11);
    total[0] = QStringLiteral("合计");
    total[7] = centsText(discount);
    total[8] = centsText(due);
    table.rows << total;
    return table;
}
