#pragma once

#include <QDateTime>
#include <QHash>
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

// Where a report reads the consumption lines of its period from: the day totals the database keeps
// of them (what the screens use), or the lines one by one (the reference the totals must equal).
enum class LineSource
{
    DayTotals,
    Lines
};

// The days a report covers: from the first day at 00:00:00 to the last day at 23:59:59, whatever
// the time of day at which the dialog was opened. The bounds are the dates' text: a day whose
// local midnight does not exist (a daylight-saving change at 00:00) still begins at 00:00:00, as
// the stored times of its lines compare in text order.
struct ReportPeriod
{
    ReportPeriod(const QDate& first, const QDate& last);

    // "between #start# and #end#" for a time column.
    QString between(const QString& column) const;
    QString startText() const;
    QString endText() const;

    // The period's consumption lines, settled ones only or all, as a statement reads them: `table`
    // stands where xfmx stands (and is named xfmx), `conditions` (empty, or beginning with " and ")
    // follow the statement's other conditions. The quantity, discount and amount due to sum are
    // `quantity`, `discount` and `due`, in whole ten-thousandths (see tenThousandthsCents), so that
    // both sources give the same sums in any order.
    struct Lines
    {
        QString table;
        QString conditions;
        QString quantity;
        QString discount;
        QString due;
    };
    Lines lines(bool settledOnly, LineSource source) const;

    QDate first;
    QDate last;
};

// Whole cents as a report shows money: "%.2f".
QString centsText(qint64 cents);
// Costs, quantities times unit prices over many lines, are summed exactly: both are stored with two
// decimals, so each product is a whole number of ten-thousandths of a yuan, and only the sum is
// rounded to cents (half a cent away from zero). Binary fractions would round a sum that ends in
// half a cent either way, depending on the order in which the lines were added.
QString costSum(const QString& quantity, const QString& price);
qint64 costCents(qint64 tenThousandths);
// A sum of ten-thousandths a statement read (an integer, however the driver hands it over) in
// whole cents, half a cent away from zero; a summed quantity in hundredths.
qint64 tenThousandthsCents(double tenThousandths);
// A summed quantity as a report shows it: to the hundredth, without trailing zeros ("3", "1.5"),
// whatever order the quantities were added in.
QString quantityText(double quantity);

class Database;
// The waiters' names by their number as text, for reports that name a visit's waiter; false when
// the waiters can't be read.
bool waiterNames(Database& db, QHash<QString, QString>& names);
