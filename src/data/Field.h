#pragma once

#include <optional>
#include <QDateTime>
#include <QString>

// How a field's text becomes a number or a time, the same way on every screen and whatever the
// machine's locale: a number is read from the leading numeral of the text ("12.5元" is 12.5,
// "" and "abc" are 0), always with a decimal point.
namespace Field {

double toDouble(const QString& text);
int toInt(const QString& text);

// Typed input: the number the whole text is ("94.50", " -3 ", ".5"), or nothing when it is not
// one ("", "0,9", "o.9", "12元").
std::optional<double> parseNumber(const QString& text);

} // namespace Field

// Turns "%Y-%m-%d %H:%M:%S" text into a local time by its fixed positions.
QDateTime ParseDateTime(const QString& text);
