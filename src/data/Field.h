#pragma once

#include <QDateTime>
#include <QString>

// How a field's text becomes a number or a time, the same way on every screen: a number is read
// from the leading numeral of the text ("12.5元" is 12.5, "" and "abc" are 0).
namespace Field {

double toDouble(const QString& text);
int toInt(const QString& text);

} // namespace Field

// Turns "%Y-%m-%d %H:%M:%S" text into a local time by its fixed positions.
QDateTime ParseDateTime(const QString& text);
