#include "RoomSummary.h"

#include "Clock.h"
#include "Database.h"
#include "Sql.h"

RoomSummary::RoomSummary(Database& db) : m_db(db) {}

QString RoomSummary::restaurantName()
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from gs ")) || rs.isEOF())
        return QString();
    return rs.getString(QStringLiteral("gsmc"));
}

QStringList RoomSummary::rooms()
{
    QStringList names;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fj order by id")))
        return names;
    for (; !rs.isEOF(); rs.moveNext())
        names << rs.getString(QStringLiteral("fjm"));
    return names;
}

RoomSummary::Counts RoomSummary::counts()
{
    Counts c;
    int free = 0;
    Recordset states;
    if (m_db.OpenRecordset(states, QStringLiteral("select zyzt,count(*) as sl from cz group by  zyzt "))) {
        for (; !states.isEOF(); states.moveNext()) {
            const QString state = states.getString(QStringLiteral("zyzt"));
            if (state == QStringLiteral("空闲"))
                free = states.getInt(QStringLiteral("sl"));
            else if (state == QStringLiteral("占用"))
                c.occupied = states.getInt(QStringLiteral("sl"));
        }
    }
    // Reserved as the board decides it: booked for the shift running now, today, and not lapsed.
    Recordset booked;
    if (m_db.OpenRecordset(
            booked, QStringLiteral("select  count(*) as ydsl from cz where zyzt<>'占用' and czm in(select "
                                   "czmc from  yd where  zt='已订' and yybcbh=") +
                        m_db.GetCurrentShiftId() + QStringLiteral(" and  format(ydsj,'yyyy-mm-dd')='") +
                        Clock::today().toString(QStringLiteral("yyyy-MM-dd")) +
                        QStringLiteral("' and qxsj>=") + Sql::timeLiteral(Clock::now()) +
                        QStringLiteral(")")) &&
        !booked.isEOF())
        c.reserved = booked.getInt(QStringLiteral("ydsl"));
    c.available = free - c.reserved;
    c.total = c.occupied + c.reserved + c.available;
    if (c.total != 0)
        c.rate = QString::asprintf("%.2f%%", double(c.reserved + c.occupied) / c.total * 100);
    return c;
}

QString RoomSummary::noteStamp()
{
    return Clock::now().toString(QStringLiteral("'---'yyyy-MM-dd HH:mm:ss'---'")) + QStringLiteral("\r\n");
}
