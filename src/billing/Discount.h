#pragma once

#include "Cashier.h"

#include <functional>
#include <QStringList>

class Database;

// The discount dialog's operations: the ratio a cashier may grant, raised to another operator's
// limit when that operator identifies himself, and the checks of the ratio.
class Discount final
{
public:
    // Whether the named operator vouched with the typed password; a refusal says why itself.
    using PasswordCheck = std::function<bool(const QString& name, const QString& typed)>;

    Discount(Database& db, const Cashier& cashier, PasswordCheck passwordCheck);

    // Every operator's name, for the operator box.
    QStringList operatorNames();

    // "当前最低折扣为:" with the limit in force, two decimals.
    QString limitLabel() const;
    double lowestRatio() const { return m_lowest; }

    // Takes the named operator's limit when the password check accepts him.
    bool switchOperator(const QString& name, const QString& password);

    // Checks a typed ratio, a number from 0 to 1 within the limit; the message is shown and false
    // returned when it is refused (the cursor goes back to the ratio). On success ratio() is the ratio as
    // written, "%.2f".
    bool accept(const QString& text);
    QString ratio() const { return m_ratio; }

private:
    Database& m_db;
    PasswordCheck m_passwordCheck;
    double m_lowest;
    QString m_ratio;
};
