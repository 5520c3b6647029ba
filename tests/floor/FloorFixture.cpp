#include "FloorFixture.h"

#include "Sql.h"

namespace Floor {

void addShifts(TestDatabase& t)
{
    t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('午市',#2010-01-01 10:0:0#,#2010-01-01 14:59:59#)"));
    t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('晚市',#2010-01-01 15:0:0#,#2010-01-01 20:59:59#)"));
    t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('夜宵',#2010-01-01 21:0:0#,#2010-01-01 23:59:59#)"));
}

void addRoom(TestDatabase& t, const QString& room)
{
    t.exec(QStringLiteral("insert into fj(fjm) values(%1)").arg(Sql::quote(room)));
}

void addTable(TestDatabase& t, const QString& table, const QString& room, int seats)
{
    t.exec(QStringLiteral("insert into cz(czm,zzws,fjm) values(%1,%2,%3)")
               .arg(Sql::quote(table), QString::number(seats), Sql::quote(room)));
}

void occupy(TestDatabase& t, const QString& table, const QDateTime& arrival, double total)
{
    t.exec(QStringLiteral("update cz set zyzt='占用',jdsj=%1,yzrs='3',xfhj=%2 where czm=%3")
               .arg(Sql::quote(Sql::timeText(arrival)), Sql::money(total), Sql::quote(table)));
}

int book(TestDatabase& t, const QString& number, const QString& table, int shift, const QDateTime& arrival,
         const QString& state)
{
    t.exec(QStringLiteral(
               "insert into yd(ydbh,khxm,sjhm,lxdh,fjmc,czmc,zt,ydsj,qxsj,yj,bz,czy,yybcbh) "
               "values(%1,'张先生','13800000000','6612345','大厅',%2,%3,%4,%5,'100','靠窗','系统管理员',%6)")
               .arg(Sql::quote(number), Sql::quote(table), Sql::quote(state), Sql::timeLiteral(arrival),
                    Sql::timeLiteral(arrival.addSecs(1800)), QString::number(shift)));
    return t.scalar(QStringLiteral("select max(id) from yd")).toInt();
}

} // namespace Floor
