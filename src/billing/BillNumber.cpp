#include "BillNumber.h"

#include "Database.h"
#include "Sql.h"

namespace {

bool given(Database& db, const QString& number)
{
    return !db.query(QStringLiteral("select zdh from yyzdh where zdh=") + Sql::quote(number)).isEOF();
}

} // namespace

QString BillNumber::next(Database& db, const QDate& day)
{
    // Every number given counts, whether its bill is still there or not.
    const QString date = day.toString(QStringLiteral("yyyyMMdd"));
    Recordset rs = db.query(QStringLiteral("select max(zdh) as maxzdh from yyzdh where zdh between ") +
                            Sql::quote(date + QStringLiteral("0000")) + QStringLiteral(" and ") +
                            Sql::quote(date + QStringLiteral("9999")));
    const qint64 highest = rs.isEOF() ? 0 : rs.getString(QStringLiteral("maxzdh")).toLongLong();
    qint64 number = highest > 0 ? highest + 1 : date.toLongLong() * 10000 + 1;
    while (given(db, QString::number(number)))
        ++number;
    return QString::number(number);
}
