#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Everything a list report prints or exports: its title lines, columns and rows.
struct ReportContent
{
    QString title;
    QString subtitle;
    QString printLine;
    QStringList headers;
    QList<int> widths; // on-screen column widths, in pixels
    QList<QStringList> rows;
    // 0: the footer stands at the bottom of every page; 1: right under the page's last row.
    bool footerAfterTable = false;
};
