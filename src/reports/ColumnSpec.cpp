#include "ColumnSpec.h"

#include "Field.h"

namespace ColumnSpec {

QList<ReportColumn> parse(const QString& spec)
{
    QList<ReportColumn> columns;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype comma = spec.indexOf(QLatin1Char(','), pos);
        if (comma < 0)
            break;
        const qsizetype semicolon = spec.indexOf(QLatin1Char(';'), comma + 1);
        const qsizetype end = semicolon < 0 ? spec.size() : semicolon;
        columns.append({spec.mid(pos, comma - pos), Field::toInt(spec.mid(comma + 1, end - comma - 1))});
        if (semicolon < 0)
            break;
        pos = semicolon + 1;
    }
    return columns;
}

} // namespace ColumnSpec
