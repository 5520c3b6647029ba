#include "CashierReport.h"

#include "Checkout.h"
#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "PaymentParts.h"
#include "Sql.h"

namespace {

QString amount(qint64 cents)
{
    return Sql::money(cents / 100.0);
}

QString range(const QDateTime& start, const QDateTime& end)
{
    return QStringLiteral("起止时间:") + Sql::timeText(start) + QStringLiteral("—") + Sql::timeText(end);
}

QString pattern(const QString& choice)
{
    return Sql::quote(choice == CashierReport::kAll ? QStringLiteral("%") : choice);
}

} // namespace

CashierReport::CashierReport(Database& db) : m_db(db) {}

QStringList CashierReport::cashiers()
{
    QStringList names{kAll};
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select xm from [user]")))
        for (; !rs.isEOF(); rs.moveNext())
            names << rs.getString(QStringLiteral("xm"));
    return names;
}

QStringList CashierReport::methods()
{
    return QStringList{kAll, QStringLiteral("现金"), QStringLiteral("挂账"), QStringLiteral("免费"),
                       QStringLiteral("其他")}
           << PaymentParts::named(m_db);
}

QList<QStringList> CashierReport::billRows(Database& db, const QString& statement)
{
    QList<QStringList> rows;
    Recordset rs;
    if (!db.OpenRecordset(rs, statement))
        return rows;
    qint64 gross = 0;
    qint64 discount = 0;
    qint64 received = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const auto money = [&rs](const char* column, qint64& sum) {
            const double value = rs.getDouble(QLatin1String(column));
            sum += Money::cents(value);
            return Sql::money(value);
        };
        const QString member = rs.getString(QStringLiteral("hybh"));
        rows.append({rs.getString(QStringLiteral("zdh")), rs.getString(QStringLiteral("czm")),
                     money("xfje", gross), money("dzje", discount), money("ssje", received),
                     Field::toInt(member) == 0 ? QStringLiteral("*") : member,
                     rs.getString(QStringLiteral("jzfs")), rs.getString(QStringLiteral("jzr")),
                     Sql::timeText(rs.getDateTime(QStringLiteral("jzsj"))),
                     rs.getString(QStringLiteral("bz"))});
    }
    rows.append({kTotal, QString(), amount(gross), amount(discount), amount(received)});
    return rows;
}

QList<QStringList> CashierReport::bills(const QDateTime& start, const QDateTime& end, const QString& cashier,
                                        const QString& method)
{
    return billRows(m_db, QStringLiteral("select * from jzhz where jzr like ") + pattern(cashier) +
                              QStringLiteral(" and ") + PaymentParts::paidBy(pattern(method)) +
                              QStringLiteral(" and jzsj between ") + Sql::timeLiteral(start) +
                              QStringLiteral(" and ") + Sql::timeLiteral(end) +
                              QStringLiteral(" order by jzsj"));
}

QString CashierReport::detailSubtitle(const QDateTime& start, const QDateTime& end, const QString& cashier,
                                      const QString& method)
{
    return range(start, end) + QStringLiteral("      收款方式:") + method + QStringLiteral("      收款人:") +
           cashier;
}

QList<CashierReport::LineRow> CashierReport::lines(const QString& bill)
{
    QList<LineRow> rows;
    double quantity = 0;
    const Checkout::Lines shown = Checkout::billLines(m_db, bill);
    for (const Checkout::Line& line : shown.lines) {
        quantity += Field::toDouble(line.quantity);
        rows.append({{QString::number(rows.size() + 1), line.shownItem, line.table, line.quantity, line.price,
                      line.ratio, line.dueAmount, line.recorder, line.time},
                     line.returned,
                     line.gift});
    }
    rows.append({{kTotal, QString(), QString(), Sql::money(quantity), QString(), QString(), shown.dueSum}});
    return rows;
}

QList<QStringList> CashierReport::summary(const QDateTime& start, const QDateTime& end)
{
    QList<QStringList> rows;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select jzfs,sum(dzje) as dzje,sum(ssje) as ssje,sum(xfje) as "
                                               "xfje from (") +
                                    PaymentParts::byMethod(QStringLiteral("jzsj between ") +
                                                           Sql::timeLiteral(start) + QStringLiteral(" and ") +
                                                           Sql::timeLiteral(end)) +
                                    QStringLiteral(") as parts group by jzfs")))
        return rows;
    qint64 sums[3] = {0, 0, 0};
    for (; !rs.isEOF(); rs.moveNext()) {
        QStringList row{rs.getString(QStringLiteral("jzfs"))};
        int i = 0;
        for (const char* column : {"dzje", "ssje", "xfje"}) {
            const double value = rs.getDouble(QLatin1String(column));
            sums[i++] += Money::cents(value);
            row << Sql::money(value);
        }
        rows << row;
    }
    rows.append({kTotal, amount(sums[0]), amount(sums[1]), amount(sums[2])});
    return rows;
}

QString CashierReport::summarySubtitle(const QDateTime& start, const QDateTime& end)
{
    return range(start, end);
}
