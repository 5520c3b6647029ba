#pragma once

#include <QDateTime>
#include <QString>

// Building statement text. Every typed value placed between single quotes goes through
// quote(), which doubles the quote character so that "O'Brien" is stored as typed.
namespace Sql {

QString quote(const QString& text);

// Money, quantities and ratios as statements write them: two decimals.
QString money(double value);

// "#YYYY-MM-DD HH:MM:SS#" and "#YYYY-MM-DD#" literals of the statement dialect.
QString timeLiteral(const QDateTime& time);
QString dateLiteral(const QDate& date);

// "%Y-%m-%d %H:%M:%S", the form of every stored time.
QString timeText(const QDateTime& time);

} // namespace Sql
