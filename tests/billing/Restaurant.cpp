#include "Restaurant.h"

#include "Sql.h"

Restaurant::Restaurant(TestDatabase& t) : m_t(t)
{
    t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
    t.exec(QStringLiteral("insert into lb(lbm) values('热菜')"));
    t.exec(QStringLiteral("insert into lb(lbm) values('酒水')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(1,'鱼香肉丝',28,'热菜','1')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(2,'红烧肉',38.5,'热菜','1')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(3,'啤酒',8,'酒水','0')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(4,'可乐',5,'酒水','1')"));
    t.exec(
        QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(5,'特色水煮鱼片A1234',45,'热菜','1')"));
    for (const char* table : {"A1", "A2", "A3", "B1", "B2", "C1"})
        t.exec(
            QStringLiteral("insert into cz(czm,zzws,fjm) values('%1',4,'大厅')").arg(QLatin1String(table)));
}

void Restaurant::open(const QString& table, const QString& mainTable)
{
    const bool main = mainTable.isEmpty();
    m_t.exec(
        QStringLiteral("update cz set zyzt='占用',jdsj='2026-12-06 11:00:00',yzrs='4',bz='靠窗' where czm=") +
        Sql::quote(table));
    m_t.exec(QStringLiteral(
                 "insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,jdsj) values(%1,%2,'大厅',4,'占用',%3,%4,"
                 "'2026-12-06 11:00:00')")
                 .arg(Sql::quote(registration(table)), Sql::quote(table),
                      Sql::quote(registration(main ? table : mainTable)),
                      main ? QStringLiteral("'y'") : QStringLiteral("'n'")));
}

qint64 Restaurant::order(const QString& table, const QString& item, double quantity, double ratio)
{
    const double price =
        m_t.scalar(QStringLiteral("select dj from xm where xmm=") + Sql::quote(item)).toDouble();
    const double gross = price * quantity;
    m_t.exec(QStringLiteral(
                 "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj) values(%1,%2,'%3','%4','%5',"
                 "%6,%7,'张三','2026-12-06 11:05:00')")
                 .arg(Sql::quote(table), Sql::quote(item), Sql::money(quantity), Sql::money(price),
                      Sql::money(ratio), Sql::money(gross * (1 - ratio)), Sql::money(gross * ratio)));
    const QString due = Sql::money(gross * ratio);
    m_t.exec(QStringLiteral("update cz set xfhj=xfhj+%1 where czm=%2").arg(due, Sql::quote(table)));
    m_t.exec(QStringLiteral("update dj set xfhj=xfhj+%1 where czm=%2 and xfzt='占用'")
                 .arg(due, Sql::quote(table)));
    return m_t.scalar(QStringLiteral("select max(xfbh) from xfmx")).toLongLong();
}

QString Restaurant::member(const QString& name, double ratio)
{
    m_t.exec(QStringLiteral("insert into hydj(djmc,zq) values('等级%1',%2)").arg(name, Sql::money(ratio)));
    const QString level = m_t.scalar(QStringLiteral("select max(id) from hydj"));
    m_t.exec(QStringLiteral("insert into hy(xm,xmpy,xb,hydj,kh) values(%1,'ZS','男',%2,'K001')")
                 .arg(Sql::quote(name), level));
    return m_t.scalar(QStringLiteral("select max(bh) from hy"));
}
