#include "TableChange.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

TableChange::TableChange(Database& db) : m_db(db) {}

bool TableChange::canChange(const QString& table)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select zyzt from cz where czm=") + Sql::quote(table)))
        return false;
    if (rs.isEOF() || rs.getString(QStringLiteral("zyzt")) != QStringLiteral("占用")) {
        m_db.prompt().warn(QStringLiteral("请选定占用餐桌!"));
        return false;
    }
    return true;
}

QStringList TableChange::rooms()
{
    QStringList names;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fj ")))
        return names;
    for (; !rs.isEOF(); rs.moveNext())
        names << rs.getString(QStringLiteral("fjm"));
    return names;
}

QString TableChange::notReservedNow() const
{
    // A booking past its hold-until time has lapsed and keeps no table.
    return QStringLiteral(" czm not in(select czmc from yd where zt='已订' and yybcbh=") +
           m_db.GetCurrentShiftId() + QStringLiteral(" and  format(ydsj,'yyyy-mm-dd')=") +
           Sql::quote(Clock::today().toString(QStringLiteral("yyyy-MM-dd"))) + QStringLiteral(" and qxsj>=") +
           Sql::timeLiteral(Clock::now()) + QStringLiteral(")");
}

QStringList TableChange::offeredTables(const QString& room)
{
    QStringList names;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from cz where zyzt<>'占用'  and fjm=") +
                                    Sql::quote(room) + QStringLiteral(" and") + notReservedNow()))
        return names;
    for (; !rs.isEOF(); rs.moveNext())
        names << rs.getString(QStringLiteral("czm"));
    return names;
}

bool TableChange::move(const QString& source, const QString& target)
{
    if (target.isEmpty())
        return false;
    if (!canChange(source))
        return false;
    // The dialog offers only free, unreserved tables, but the current shift may have changed
    // since the list was filled: two visits must never share a table.
    const QString t = Sql::quote(target);
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select zyzt from cz where czm=") + t) || rs.isEOF())
        return false;
    if (rs.getString(QStringLiteral("zyzt")) == QStringLiteral("占用")) {
        m_db.prompt().warn(QStringLiteral("此餐桌已被占用!"));
        return false;
    }
    if (!m_db.OpenRecordset(rs, QStringLiteral("select czm from cz where czm=") + t + QStringLiteral(" and") +
                                    notReservedNow()))
        return false;
    if (rs.isEOF()) {
        m_db.prompt().warn(QStringLiteral("此餐桌已被预订!"));
        return false;
    }

    const QString s = Sql::quote(source);
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(QStringLiteral("update dj set czm=") + t + QStringLiteral(" where czm=") + s +
                        QStringLiteral(" and xfzt='占用'"));
        Recordset from = m_db.query(QStringLiteral("select * from cz  where czm=") + s);
        // The note and the elapsed time belong to the visit and go with it.
        m_db.ExecuteSql(QStringLiteral("update cz set xfhj=") +
                        Sql::quote(Sql::money(from.getDouble(QStringLiteral("xfhj")))) +
                        QStringLiteral(",zyzt='占用',jdsj=") +
                        Sql::quote(from.getString(QStringLiteral("jdsj"))) + QStringLiteral(",yzrs=") +
                        Sql::quote(from.getString(QStringLiteral("yzrs"))) + QStringLiteral(",yysj=") +
                        Sql::quote(from.getString(QStringLiteral("yysj"))) + QStringLiteral(",bz=") +
                        Sql::quote(from.getString(QStringLiteral("bz"))) + QStringLiteral(" where czm=") + t);
        m_db.ExecuteSql(
            QStringLiteral("update cz set zyzt='空闲',xfhj=0,jdsj='',yysj='',yzrs='',bz='' where czm=") + s);
        m_db.ExecuteSql(QStringLiteral("update xfmx set czm=") + t + QStringLiteral(" where czm=") + s +
                        QStringLiteral(" and jzbj='0'"));
        transaction.commit();
    } catch (const DbError&) {
        m_db.prompt().warn(QStringLiteral("更换餐桌发生异常,更换失败!"));
        return false;
    }
    return true;
}
