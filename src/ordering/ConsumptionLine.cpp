#include "ConsumptionLine.h"

#include "Field.h"
#include "Sql.h"

#include <QtMath>

namespace {

qint64 cents(double value)
{
    return qRound64(value * 100);
}

} // namespace

double ConsumptionLine::quantityValue() const
{
    return Field::toDouble(quantity);
}

double ConsumptionLine::priceValue() const
{
    return Field::toDouble(price);
}

double ConsumptionLine::ratioValue() const
{
    return Field::toDouble(ratio);
}

bool ConsumptionLine::isReturn() const
{
    return cents(quantityValue()) < 0;
}

bool ConsumptionLine::isGift() const
{
    return cents(ratioValue()) == 0;
}

QString ConsumptionLine::displayName() const
{
    if (isReturn())
        return name + QStringLiteral("(退)");
    if (isGift())
        return name + QStringLiteral("(赠)");
    return name;
}

QString ConsumptionLine::text(int column) const
{
    switch (column) {
    case Number:
        return QString::number(number);
    case Name:
        return displayName();
    case Quantity:
        return quantity;
    case Price:
        return price;
    case Ratio:
        return ratio;
    case Amount:
        return amount;
    case Category:
        return category;
    case Operator:
        return operatorName;
    case Time:
        return Sql::timeText(time);
    case Note:
        return note;
    case Printed:
        return printed ? QStringLiteral("已打印") : QStringLiteral("未打印");
    }
    return QString();
}
