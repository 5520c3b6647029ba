#include "TableLines.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

#include <QtMath>

const QString TableLines::kColumns = QStringLiteral(
    "序号,60;消费项目,130;数量,60;单价,60;折扣,40;优惠金额,80;应收金额,80;记账人,80;消费时间,140");

TableLines::TableLines(Database& db) : m_db(db) {}

QList<TableLines::Line> TableLines::load(const QString& table)
{
    QList<Line> lines;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where czm=") + Sql::quote(table) +
                                    QStringLiteral(" and jzbj='0' order by xfsj")))
        return lines;
    qint64 discountCents = 0;
    qint64 amountCents = 0;
    try {
        for (; !rs.isEOF(); rs.moveNext()) {
            Line line;
            line.number = QString::number(lines.size() + 1);
            line.item = rs.getString(QStringLiteral("xfxm"));
            line.quantity = Sql::money(rs.getDouble(QStringLiteral("sl")));
            line.price = Sql::money(rs.getDouble(QStringLiteral("xmdj")));
            line.ratio = Sql::money(rs.getDouble(QStringLiteral("dzbl")));
            line.discount = Sql::money(rs.getDouble(QStringLiteral("dzje")));
            line.amount = Sql::money(rs.getDouble(QStringLiteral("ysje")));
            line.clerk = rs.getString(QStringLiteral("jzr"));
            line.time = Sql::timeText(rs.getDateTime(QStringLiteral("xfsj")));
            if (rs.getDouble(QStringLiteral("sl")) < 0) {
                line.item += QStringLiteral("(退)");
                line.mark = Mark::Return;
            } else if (qRound64(rs.getDouble(QStringLiteral("dzbl")) * 100) == 0) {
                line.item += QStringLiteral("(赠)");
                line.mark = Mark::Gift;
            }
            discountCents += qRound64(rs.getDouble(QStringLiteral("dzje")) * 100);
            amountCents += qRound64(rs.getDouble(QStringLiteral("ysje")) * 100);
            lines << line;
        }
    } catch (const DbError& e) {
        m_db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
    }
    Line total;
    total.number = QStringLiteral("合计");
    total.discount = QStringLiteral("￥") + Sql::money(discountCents / 100.0);
    total.amount = QStringLiteral("￥") + Sql::money(amountCents / 100.0);
    lines << total;
    return lines;
}

QColor TableLines::colour(Mark mark)
{
    switch (mark) {
    case Mark::Return:
        return QColor(255, 0, 0);
    case Mark::Gift:
        return QColor(255, 153, 0);
    case Mark::None:
        break;
    }
    return QColor();
}
