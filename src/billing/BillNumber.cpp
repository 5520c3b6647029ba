#include "BillNumber.h"

#include "Database.h"
#include "Sql.h"

namespace {

bool taken(Database& db, const QString& number)
{
    return !db.query(QStringLiteral("select zdh from jzhz where zdh=") + Sql::quote(number)).isEOF();
}

} // namespace

QString BillNumber::next(Database& db, const QDate& day)
{
    Recordset rs =
        db.query(QStringLiteral("select max(zdh) as maxzdh from jzhz where jzrq=") + Sql::dateLiteral(day));
    const qint64 highest = rs.isEOF() ? 0 : rs.getString(QStringLiteral("maxzdh")).toLongLong();
    qint64 number =
        highest > 0 ? highest + 1 : day.toString(QStringLiteral("yyyyMMdd")).toLongLong() * 10000 + 1;
    while (taken(db, QString::number(number)))
        ++number;
    return QString::number(number);
}
