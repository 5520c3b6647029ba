#include "CellOrder.h"

#include "Field.h"

#include <QCollator>
#include <QLocale>

namespace CellOrder {

namespace {

int sign(double d)
{
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

bool isNumber(const QString& text)
{
    const QStringView digits = QStringView(text).mid(text.startsWith(QLatin1Char('-')) ? 1 : 0);
    if (digits.isEmpty() || digits == u"." || digits.count(QLatin1Char('.')) > 1)
        return false;
    for (QChar ch : digits) {
        if (!ch.isDigit() && ch != QLatin1Char('.') && ch != QLatin1Char(','))
            return false;
    }
    return true;
}

bool isDate(const QString& text)
{
    if (text.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        const bool slash = i == 2 || i == 5;
        if (slash ? text.at(i) != QLatin1Char('/')
                  : !(text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')))
            return false;
    }
    return true;
}

int compareDates(const QString& a, const QString& b)
{
    // Year, then month, then day, by position in either text.
    for (auto [from, length] : {std::pair{6, 4}, {3, 2}, {0, 2}}) {
        const int c = QStringView(a).mid(from, length).compare(QStringView(b).mid(from, length));
        if (c != 0)
            return sign(c);
    }
    return 0;
}

} // namespace

Key key(const QString& text)
{
    const Key::Kind kind =
        isNumber(text) ? Key::Kind::Number : (isDate(text) ? Key::Kind::Date : Key::Kind::Text);
    return Key{text, kind, Field::toDouble(text)};
}

int compare(const Key& a, const Key& b)
{
    switch (a.kind) {
    case Key::Kind::Number:
        return sign(a.number - b.number);
    case Key::Kind::Date:
        return compareDates(a.text, b.text);
    case Key::Kind::Text:
        break;
    }
    static const QCollator chinese(QLocale(QLocale::Chinese, QLocale::China));
    return sign(chinese.compare(a.text, b.text));
}

int compare(const QString& a, const QString& b)
{
    return compare(key(a), key(b));
}

} // namespace CellOrder
