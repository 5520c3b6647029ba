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
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace Sql
