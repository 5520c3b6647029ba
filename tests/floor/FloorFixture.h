#pragma once

#include "TestDatabase.h"

#include <QDateTime>

// A small restaurant for the floor's tests: three shifts that match the times of day the board's
// filter uses (1: 10:00-14:59:59, 2: 15:00-20:59:59, 3: 21:00-23:59:59), rooms, tables and
// bookings. "Now" is fixed at 2026-12-06 12:30:00, inside shift 1.
namespace Floor {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 30, 0));

void addShifts(TestDatabase& t);
void addRoom(TestDatabase& t, const QString& room);
void addTable(TestDatabase& t, const QString& table, const QString& room = QStringLiteral("大厅"),
              int seats = 4);
void occupy(TestDatabase& t, const QString& table, const QDateTime& arrival, double total = 0);
// One booked row; returns its id.
int book(TestDatabase& t, const QString& number, const QString& table, int shift, const QDateTime& arrival,
         const QString& state = QStringLiteral("已订"));

} // namespace Floor
