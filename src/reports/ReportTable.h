#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What a report's operation hands its dialog: the title lines and the rows of the list.
struct ReportTable
{
    QString title;
    QString subtitle;
    QList<QStringList> rows;
};

// The days a report covers: from the first day at 00:00:00 to the last day at 23:59:59, whatever
// the time of day at which the dialog was opened.
struct ReportPeriod
{
    ReportPeriod(const QDate& first, const QDate& last);

    // "between #start# and #end#" for a time column.
    QString between(const QString& column) const;
    QString startText() const;
    QString endText() const;

    QDateTime start;
    QDateTime end;
};

// Whole cents as a report shows money: "%.2f".
QString centsText(qint64 cents);
