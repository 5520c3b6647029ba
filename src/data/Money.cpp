#include "Money.h"

#include "Field.h"

namespace Money {

qint64 cents(double amount)
{
    return qRound64(amount * 100);
}

qint64 cents(const QString& text)
{
    return cents(Field::toDouble(text));
}

} // namespace Money
