#include "ReportTable.h"

#include "Database.h"
#include "DayTotals.h"
#include "Money.h"
#include "Sql.h"

#include <QLocale>

ReportPeriod::ReportPeriod(const QDate& first, const QDate& last) : first(first), last(last) {}

QString ReportPeriod::between(const QString& column) const
{
    return column + QStringLiteral(" between ") + Sql::quote(startText()) + QStringLiteral(" and ") +
           Sql::quote(endText());
}

QString ReportPeriod::startText() const
{
    return first.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

QString ReportPeriod::endText() const
{
    return last.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
}

ReportPeriod::Lines ReportPeriod::lines(bool settledOnly, LineSource source) const
{
    if (source == LineSource::DayTotals)
        return {DayTotals::lines(first, last, settledOnly) + QStringLiteral(" xfmx"), QString(),
                QStringLiteral("xfmx.sl"), QStringLiteral("xfmx.dzje"), QStringLiteral("xfmx.ysje")};
    return {QStringLiteral("xfmx"),
            QStringLiteral(" and ") + between(QStringLiteral("xfmx.xfsj")) +
                (settledOnly ? QStringLiteral(" and jzbj='1'") : QString()),
            DayTotals::tenThousandths(QStringLiteral("xfmx.sl")), DayTotals::tenThousandths(QStringLiteral("xfmx.dzje")),
            DayTotals::tenThousandths(QStringLiteral("xfmx.ysje"))};
}

QString centsText(qint64 cents)
{
    return Sql::money(double(cents) / 100);
}

QString costSum(const QString& quantity, const QString& price)
{
    return QStringLiteral("sum(round(%1*100)*round(%2*100))").arg(quantity, price);
}

qint64 costCents(qint64 tenThousandths)
{
    return (tenThousandths + (tenThousandths < 0 ? -50 : 50)) / 100;
}

qint64 tenThousandthsCents(double tenThousandths)
{
    return costCents(qRound64(tenThousandths));
}

QString quantityText(double quantity)
{
    return QString::number(double(Money::cents(quantity)) / 100, 'g', QLocale::FloatingPointShortest);
}

bool waiterNames(Database& db, QHash<QString, QString>& names)
{
    Recordset rs;
    if (!db.OpenRecordset(rs, QStringLiteral("select * from fws")))
        return false;
    for (; !rs.isEOF(); rs.moveNext())
        names.insert(rs.getString(QStringLiteral("id")), rs.getString(QStringLiteral("xm")));
    return true;
}
