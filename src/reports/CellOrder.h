#pragma once

#include <QString>

// How a list orders two texts of one column when its header is clicked. The first text decides
// the kind of comparison: a number (optional "-", digits, at most one "." and thousands commas,
// compared by the value before any comma), a dd/mm/yyyy date (year, month, day by position),
// otherwise Chinese-aware text order (pinyin for Chinese characters).
namespace CellOrder {

// A text read once for sorting.
struct Key
{
    enum class Kind
    {
        Number,
        Date,
        Text
    };
    QString text;
    Kind kind;
    double number; // the leading numeral, 0 when there is none
};

Key key(const QString& text);

// -1, 0 or 1 as a sorts before, with or after b.
int compare(const Key& a, const Key& b);
int compare(const QString& a, const QString& b);

} // namespace CellOrder
