#include "Field.h"

#include <cstdlib>

namespace Field {

double toDouble(const QString& text)
{
    return std::atof(text.toLatin1().constData());
}

int toInt(const QString& text)
{
    return std::atoi(text.toLatin1().constData());
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
