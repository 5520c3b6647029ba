#include "Discount.h"

#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "Prompt.h"
#include "Sql.h"

Discount::Discount(Database& db, const Cashier& cashier, PasswordCheck passwordCheck)
    : m_db(db), m_passwordCheck(std::move(passwordCheck)), m_lowest(Field::toDouble(cashier.lowestRatio))
{
}

QStringList Discount::operatorNames()
{
    QStringList names;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from [user] ")))
        for (; !rs.isEOF(); rs.moveNext())
            names << rs.getString(QStringLiteral("xm"));
    return names;
}

QString Discount::limitLabel() const
{
    // With two decimals, as ratios are written: "%.f" would show a limit of 0.90 as 1.
    return QStringLiteral("当前最低折扣为:") + Sql::money(m_lowest);
}

bool Discount::switchOperator(const QString& name, const QString& password)
{
    if (!m_passwordCheck(name, password))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from [user] where xm=") + Sql::quote(name)) ||
        rs.isEOF())
        return false;
    m_lowest = rs.getDouble(QStringLiteral("dzbl"));
    return true;
}

bool Discount::accept(const QString& text)
{
    // A mistyped ratio ("", "0,9", "o.9") is refused, never read as 0: that would be a gift.
    const std::optional<double> value = Field::parseNumber(text);
    if (!value || *value < 0 || *value > 1) {
        m_db.prompt().warn(QStringLiteral("打折比例输入错误,0到1之间!"));
        return false;
    }
    // The ratio is written with two decimals; that is the ratio the limit applies to.
    const qint64 hundredths = Money::cents(*value);
    if (hundredths < Money::cents(m_lowest)) {
        m_db.prompt().warn(QStringLiteral("折扣错误，当前操最低折扣为:") + Sql::money(m_lowest) +
                           QStringLiteral("，请从新输入!"));
        return false;
    }
    m_ratio = Sql::money(hundredths / 100.0);
    return true;
}
