#include "MemberTotals.h"

#include "Database.h"
#include "Field.h"
#include "Sql.h"

void MemberTotals::takeOff(Database& db, const QString& bill)
{
    Recordset rs = db.query(QStringLiteral("select hybh,ssje from jzhz where zdh=") + Sql::quote(bill));
    if (rs.isEOF() || rs.getInt(QStringLiteral("hybh")) == 0)
        return;
    db.ExecuteSql(QStringLiteral("update  hy set xfze=xfze-") +
                  Sql::money(rs.getDouble(QStringLiteral("ssje"))) + QStringLiteral(" where bh=") +
                  QString::number(rs.getInt(QStringLiteral("hybh"))));
}

void MemberTotals::add(Database& db, const QString& member, const QString& received)
{
    if (member.isEmpty() || member == QLatin1String("0"))
        return;
    db.ExecuteSql(QStringLiteral("update  hy set xfze=xfze+") + Sql::money(Field::toDouble(received)) +
                  QStringLiteral(" where bh=") + member);
}
