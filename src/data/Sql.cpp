#include "Sql.h"

namespace Sql {

QString quote(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : text) {
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
        out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

QString money(double value)
{
    return QString::number(value, 'f', 2);
}

QString timeLiteral(const QDateTime& time)
{
    return QLatin1Char('#') + timeText(time) + QLatin1Char('#');
}

QString dateLiteral(const QDate& date)
{
    return QLatin1Char('#') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('#');
}

QString timeText(const QDateTime& time)
{
    // From the date and the time of day as given: a local time that a daylight-saving change skips
    // (00:00 of such a day) is not a valid QDateTime, but it is still the bound a statement means.
    return time.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace Sql
