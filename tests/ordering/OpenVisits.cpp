#include "OpenVisits.h"

#include "Sql.h"

void OpenVisits::addTables(const QString& room, const QStringList& tables)
{
    if (m_t.scalar(QStringLiteral("select count(*) from fj where fjm=") + Sql::quote(room)) ==
        QStringLiteral("0"))
        m_t.exec(QStringLiteral("insert into fj (fjm) values (%1)").arg(Sql::quote(room)));
    for (const QString& table : tables)
        m_t.exec(QStringLiteral("insert into cz (czm, zzws, fjm) values (%1, 8, %2)")
                     .arg(Sql::quote(table), Sql::quote(room)));
}

QString OpenVisits::open(const QStringList& tables, const QDateTime& when, int guests, const QString& note)
{
    const QString main = when.toString(QStringLiteral("yyyyMMddHHmmss"));
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const QString table = Sql::quote(tables.at(i));
        const QString number = i == 0 ? main : main + QString::number(i);
        m_t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj,bz,fws,jdsj) "
                                "values(%1,%2,(select fjm from cz where czm=%2),%3,'占用',%4,%5,%6,0,%7)")
                     .arg(Sql::quote(number), table)
                     .arg(guests)
                     .arg(Sql::quote(main), i == 0 ? QStringLiteral("'y'") : QStringLiteral("'n'"),
                          Sql::quote(note), Sql::quote(Sql::timeText(when))));
        m_t.exec(
            QStringLiteral("update cz set zyzt='占用',jdsj=%1,yzrs=%2,bz=%3,yysj='0小时5分' where czm=%4")
                .arg(Sql::quote(Sql::timeText(when)))
                .arg(guests)
                .arg(Sql::quote(note), table));
    }
    return main;
}

void OpenVisits::addLine(const QString& table, const QString& item, double quantity, double price)
{
    const QString amount = Sql::money(quantity * price);
    m_t.exec(QStringLiteral("insert into xfmx (czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr) "
                            "values(%1,%2,'%3','%4','1.00',0,%5,'收银员')")
                 .arg(Sql::quote(table), Sql::quote(item), Sql::money(quantity), Sql::money(price), amount));
    m_t.exec(QStringLiteral("update cz set xfhj=xfhj+%1 where czm=%2").arg(amount, Sql::quote(table)));
    m_t.exec(QStringLiteral("update dj set xfhj=xfhj+%1 where czm=%2 and xfzt='占用'")
                 .arg(amount, Sql::quote(table)));
}

void OpenVisits::reserve(const QString& table, const QDate& day, int shift, const QString& state)
{
    m_t.exec(QStringLiteral("insert into yd (ydbh,khxm,fjmc,czmc,zt,ydsj,yybcbh) values "
                            "('20261201100000','王先生',(select fjm from cz where czm=%1),%1,%2,%3,%4)")
                 .arg(Sql::quote(table), Sql::quote(state),
                      Sql::quote(Sql::timeText(QDateTime(day, QTime(18, 30)))))
                 .arg(shift));
}

QStringList OpenVisits::checkout(const QString& table, const QString& bill)
{
    QStringList names;
    Recordset main =
        m_t.db.query(QStringLiteral("select * from dj where djbh=(select zdbh from dj where czm =%1 "
                                    "and xfzt='占用')")
                         .arg(Sql::quote(table)));
    if (main.isEOF())
        return names;
    names << main.getString(QStringLiteral("czm"));
    Recordset others =
        m_t.db.query(QStringLiteral("select * from dj where zdbh=%1 and czm<>%2 ")
                         .arg(Sql::quote(main.getString(QStringLiteral("zdbh"))), Sql::quote(names.first())));
    for (; !others.isEOF(); others.moveNext())
        names << others.getString(QStringLiteral("czm"));
    for (const QString& name : names) {
        m_t.exec(QStringLiteral("update cz set zyzt='空闲',xfhj=0,jdsj='',yysj='',yzrs='',bz='' where czm=%1")
                     .arg(Sql::quote(name)));
        m_t.exec(
            QStringLiteral(
                "update dj set ldsj='2026-12-06 22:00:00',xfzt='离店',jzdh=%1 where czm=%2 and xfzt='占用' ")
                .arg(Sql::quote(bill), Sql::quote(name)));
        m_t.exec(QStringLiteral("update xfmx set jzzdh=%1,jzbj='1' where czm=%2 and jzbj='0'")
                     .arg(Sql::quote(bill), Sql::quote(name)));
    }
    return names;
}

QString OpenVisits::field(const QString& table, const QString& column, const QString& where)
{
    return m_t.scalar(QStringLiteral("select %1 from %2 where %3").arg(column, table, where));
}

QString OpenVisits::registration(const QString& table, const QString& column)
{
    return field(QStringLiteral("dj"), column,
                 QStringLiteral("czm=%1 and xfzt='占用'").arg(Sql::quote(table)));
}

QStringList OpenVisits::groupState()
{
    QStringList state;
    Recordset rs =
        m_t.db.query(QStringLiteral("select czm,zdbh,zdbj from dj where xfzt='占用' order by czm"));
    for (; !rs.isEOF(); rs.moveNext())
        state << rs.getString(QStringLiteral("czm")) + QLatin1Char(':') +
                     rs.getString(QStringLiteral("zdbh")) + QLatin1Char(':') +
                     rs.getString(QStringLiteral("zdbj"));
    return state;
}
