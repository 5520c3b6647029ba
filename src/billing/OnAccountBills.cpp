#include "OnAccountBills.h"

#include "CashierReport.h"
#include "Database.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

OnAccountBills::OnAccountBills(Database& db) : m_db(db) {}

QList<QStringList> OnAccountBills::bills(const QDate& from, const QDate& to, const QString& number,
                                         const QString& member)
{
    return CashierReport::billRows(
        m_db, QStringLiteral("select * from jzhz  where zdh like ") + Sql::quote(u'%' + number + u'%') +
                  QStringLiteral(" and hybh like ") + Sql::quote(u'%' + member + u'%') +
                  QStringLiteral(" and jzfs='挂账' and jzsj between ") + Sql::dateLiteral(from) +
                  QStringLiteral(" and ") + Sql::timeLiteral(QDateTime(to, QTime(23, 59, 59))) +
                  QStringLiteral(" order by jzsj"));
}

QString OnAccountBills::rangeLine(const QDate& from, const QDate& to)
{
    return QStringLiteral("起止时间:") + from.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" 00:00:00—") + to.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" 23:59:59");
}

QList<QStringList> OnAccountBills::lines(const QString& bill)
{
    QList<QStringList> rows;
    const Checkout::Lines shown = Checkout::billLines(m_db, bill);
    for (const Checkout::Line& line : shown.lines)
        rows.append({bill,
                     line.item + (line.returned ? QStringLiteral("(退菜)")
                                  : line.gift   ? QStringLiteral("(赠送)")
                                                : QString()),
                     line.quantity, line.price, line.ratio, line.discountAmount, line.dueAmount,
                     line.recorder, line.time});
    rows.append(
        {CashierReport::kTotal, QString(), QString(), QString(), QString(), shown.discountSum, shown.dueSum});
    return rows;
}

std::optional<Checkout::OnAccountBill> OnAccountBills::toSettle(Prompt& prompt, bool hasRight,
                                                                const QStringList& row)
{
    if (!hasRight) {
        prompt.warn(QStringLiteral("你没有此操作权限!"));
        return std::nullopt;
    }
    if (row.isEmpty()) {
        prompt.warn(QStringLiteral("请选定要结账的挂账账单!"));
        return std::nullopt;
    }
    const QString number = row.value(CashierReport::Number).trimmed();
    if (Field::toDouble(number) <= 0)
        return std::nullopt;
    return Checkout::OnAccountBill{number, row.value(CashierReport::Table), row.value(CashierReport::Member),
                                   row.value(CashierReport::Received), row.value(CashierReport::Note)};
}
