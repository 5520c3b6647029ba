#include "ColumnList.h"

#include "Field.h"

namespace ColumnList {

QList<ReportColumn> parse(const QString& text)
{
    QList<ReportColumn> columns;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), pos);
        if (comma < 0)
            break;
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), comma + 1);
        const qsizetype end = semicolon < 0 ? text.size() : semicolon;
        columns.append({text.mid(pos, comma - pos), Field::toInt(text.mid(comma + 1, end - comma - 1))});
        if (semicolon < 0)
            break;
        pos = semicolon + 1;
    }
    return columns;
}

} // namespace ColumnList
