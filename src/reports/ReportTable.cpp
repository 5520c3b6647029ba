#include "ReportTable.h"

#include "Sql.h"

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

QString centsText(qint64 cents)
{
    return Sql::money(double(cents) / 100);
}
