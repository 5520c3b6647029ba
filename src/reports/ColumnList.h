#pragma once

#include <QList>
#include <QString>

struct ReportColumn
{
    QString name;
    int width = 0; // pixels on screen
};

// A list's columns written as "name,width;" pairs: "编号,80;班次名称,100;". The last ";" may be
// left out, a missing or unreadable width is 0, and text without a "," holds no column.
namespace ColumnList {

QList<ReportColumn> parse(const QString& columns);

} // namespace ColumnList
