#pragma once

#include "Rights.h"

#include <array>
#include <QString>

class Recordset;

// The operator who is logged in, as copied from [user] at login: every gated command compares
// this copy, never the database, so changes to the record count from the next login.
class Operator final
{
public:
    static inline const QString kAdministrator = QStringLiteral("系统管理员");

    Operator() = default;
    // Copies the current row of a [user] result (null rights give "", a null zdmlje gives "0").
    static Operator fromRecord(const Recordset& user);

    const QString& name() const { return m_name; }
    // A right is granted only when its text is "1".
    bool may(Right right) const { return m_rights[int(right)] == QLatin1String("1"); }
    bool isAdministrator() const { return m_name == kAdministrator; }
    // Lowest discount ratio (text of 0.00 to 1.00) and largest rounding-off amount.
    const QString& lowestDiscount() const { return m_lowestDiscount; }
    const QString& largestRoundOff() const { return m_largestRoundOff; }

private:
    QString m_name;
    std::array<QString, Rights::kCount> m_rights;
    QString m_lowestDiscount;
    QString m_largestRoundOff;
};
