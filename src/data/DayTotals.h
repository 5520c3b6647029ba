#pragma once

#include "Backend.h"

#include <QDate>
#include <QStringList>

class Database;

// Day totals of the consumption lines, so that a report over months reads a row per day and item
// instead of every line: per day, item and settled mark ('1' for jzbj='1', else '0') in xfrhz; per
// day, waiter and item, over the visits of each line's bill and table (as the waiters' statistics
// join them), in fwsrhz. Each row holds the number of lines and the sums of their quantities,
// discounts and amounts due, in whole ten-thousandths: integers add up to the same sum in any
// order, so the totals kept line by line, those counted afresh and those of the lines read one by
// one agree to the cent even where amounts such as 13.95 × 0.3 = 4.185 end in half a cent. Triggers on xfmx and dj keep them, whatever writes the rows (a screen,
// a bill's correction, the clearing, the maintenance tool). A line counts for the day its time
// begins with when the time lies within that day's 00:00:00 and 23:59:59; a line with any other
// time (or none) is read from xfmx itself.
namespace DayTotals {

// The tables, the triggers, and the totals of the rows already there.
QStringList schema(Backend backend = Backend::SQLite);
// Drops the triggers, for emptying xfmx or dj at once rather than row by row (minutes for a
// year's lines); schema() afterwards puts them back and counts the totals afresh.
QStringList withoutTriggers(Backend backend = Backend::SQLite);
// The same, in the form of the database's own backend.
QStringList schema(const Database& db);
QStringList withoutTriggers(const Database& db);

// An amount (a quantity, discount or amount due of a line) in whole ten-thousandths, as the totals
// keep it; null counts as 0.
QString tenThousandths(const QString& amount);

// Subqueries standing for the lines of the days first to last (whole sums over them equal those
// over the lines): the lines with the columns xfxm, sl, dzje and ysje, settled ones only or all;
// the lines of bills as often as their bill and table have visits, with the visit's waiter, as
// fws, xfxm, sl, dzje and ysje. Their sums are in ten-thousandths.
QString lines(const QDate& first, const QDate& last, bool settledOnly);
QString servedLines(const QDate& first, const QDate& last);

} // namespace DayTotals
