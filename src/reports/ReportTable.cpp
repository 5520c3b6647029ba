#include "ReportTable.h"

#include "Database.h"
#include "DayTotals.h"
#include "Money.h"
#include "Sql.h"

#include <QLocale>

ReportPeriod::ReportPeriod(const QDate& first, const QDate& last)
    : start(first, QTime(0, 0)), end(last, QTime(23, 59, 59))
{
}

QString ReportPeriod::between(const QString& column) const
{
    return column + QStringLiteral(" between ") + Sql::timeLiteral(start) + QStringLiteral(" and ") +
           Sql::timeLiteral(end);
}

QString ReportPeriod::startText() const
{
    return Sql::timeText(start);
}

QString ReportPeriod::endText() const
{
    return Sql::timeText(end);
}

ReportPeriod::Lines ReportPeriod::lines(bool settledOnly, LineSource source) const
{
    if (source == LineSource::DayTotals)
        return {DayTotals::lines(start.date(), end.date(), settledOnly) + QStringLiteral(" xfmx"), QString()};
    return {QStringLiteral("xfmx"), QStringLiteral(" and ") + between(QStringLiteral("xfmx.xfsj")) +
                                        (settledOnly ? QStringLiteral(" and jzbj='1'") : QString())};
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
