#include "Field.h"

#include <charconv>
#include <cstdlib>
#include <QRegularExpression>

namespace Field {

double toDouble(const QString& text)
{
    // from_chars reads with a decimal point whatever the process's locale says (atof would read
    // "94.50" as 94 under a locale that writes decimals with a comma).
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0;
    std::from_chars(begin, end, value, std::chars_format::fixed);
    return value;
}

int toInt(const QString& text)
{
    return std::atoi(text.toLatin1().constData());
}

std::optional<double> parseNumber(const QString& text)
{
    static const QRegularExpression numeral(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString trimmed = text.trimmed();
    if (!numeral.match(trimmed).hasMatch())
        return std::nullopt;
    return toDouble(trimmed);
}

} // namespace Field

QDateTime ParseDateTime(const QString& text)
{
    const int year = text.mid(0, 4).toInt();
    const int month = text.mid(5, 2).toInt();
    const int day = text.mid(8, 2).toInt();
    const int hour = text.mid(11, 2).toInt();
    const int minute = text.mid(14, 2).toInt();
    const int second = text.right(2).toInt();
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}
