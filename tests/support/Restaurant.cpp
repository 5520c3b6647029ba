#include "Restaurant.h"

#include "CashierReport.h"
#include "Checkout.h"
#include "ReceiptPrinter.h"
#include "Sql.h"

const QDateTime Restaurant::kNow(QDate(2026, 12, 6), QTime(12, 30, 0));

Restaurant Restaurant::withMenu(TestDatabase& t)
{
    Restaurant r(t);
    t.exec(QStringLiteral("insert into lb(lbm) values('热菜')"));
    t.exec(QStringLiteral("insert into lb(lbm) values('酒水')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(1,'鱼香肉丝',28,'热菜','1')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(2,'红烧肉',38.5,'热菜','1')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(3,'啤酒',8,'酒水','0')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(4,'可乐',5,'酒水','1')"));
    t.exec(
        QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,sfdz) values(5,'特色水煮鱼片A1234',45,'热菜','1')"));
    r.tables(QStringLiteral("大厅"), {"A1", "A2", "A3", "B1", "B2", "C1"});
    return r;
}

void Restaurant::shifts()
{
    m_t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('午市',#2010-01-01 10:0:0#,#2010-01-01 14:59:59#)"));
    m_t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('晚市',#2010-01-01 15:0:0#,#2010-01-01 20:59:59#)"));
    m_t.exec(QStringLiteral(
        "insert into yybc(bcmc,qssj,jssj) values('夜宵',#2010-01-01 21:0:0#,#2010-01-01 23:59:59#)"));
}

void Restaurant::room(const QString& name)
{
    m_t.exec(QStringLiteral("insert or ignore into fj(fjm) values(%1)").arg(Sql::quote(name)));
}

void Restaurant::table(const QString& name, const QString& room, int seats)
{
    this->room(room);
    m_t.exec(QStringLiteral("insert into cz(czm,zzws,fjm) values(%1,%2,%3)")
                 .arg(Sql::quote(name), QString::number(seats), Sql::quote(room)));
}

void Restaurant::tables(const QString& room, const QStringList& names)
{
    for (const QString& name : names)
        table(name, room);
}

void Restaurant::occupy(const QString& table, const QDateTime& arrival, double total)
{
    m_t.exec(QStringLiteral("update cz set zyzt='占用',jdsj=%1,yzrs='3',xfhj=%2 where czm=%3")
                 .arg(Sql::quote(Sql::timeText(arrival)), Sql::money(total), Sql::quote(table)));
}

int Restaurant::book(const QString& number, const QString& table, int shift, const QDateTime& arrival,
                     const QString& state)
{
    m_t.exec(QStringLiteral("insert into yd(ydbh,khxm,sjhm,lxdh,fjmc,czmc,zt,ydsj,qxsj,yj,bz,czy,yybcbh) "
                            "values(%1,'张先生','13800000000','6612345',coalesce((select fjm from cz where "
                            "czm=%2),'大厅'),%2,%3,%4,%5,"
                            "'100','靠窗','系统管理员',%6)")
                 .arg(Sql::quote(number), Sql::quote(table), Sql::quote(state), Sql::timeLiteral(arrival),
                      Sql::timeLiteral(arrival.addSecs(1800)), QString::number(shift)));
    return m_t.scalar(QStringLiteral("select max(id) from yd")).toInt();
}

QString Restaurant::member(const QString& name, double ratio)
{
    m_t.exec(QStringLiteral("insert into hydj(djmc,zq) values('等级%1',%2)").arg(name, Sql::money(ratio)));
    const QString level = m_t.scalar(QStringLiteral("select max(id) from hydj"));
    m_t.exec(QStringLiteral("insert into hy(xm,xmpy,xb,hydj,kh) values(%1,'ZS','男',%2,'K001')")
                 .arg(Sql::quote(name), level));
    return m_t.scalar(QStringLiteral("select max(bh) from hy"));
}

void Restaurant::seat(const QString& table, const QString& mainTable)
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

QString Restaurant::open(const QStringList& tables, const QDateTime& when, int guests, const QString& note)
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

qint64 Restaurant::order(const QString& table, const QString& item, double quantity, double ratio)
{
    const double price =
        m_t.scalar(QStringLiteral("select dj from xm where xmm=") + Sql::quote(item)).toDouble();
    return line(table, item, quantity, price, ratio);
}

qint64 Restaurant::line(const QString& table, const QString& item, double quantity, double price,
                        double ratio)
{
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

QString Restaurant::checkout(const QString& table)
{
    ReceiptPrinter receipts(m_t.db, QStringLiteral("我的餐厅"),
                            [](const QString&, const QString&, const QString&) { return true; });
    Checkout checkout(m_t.db, Cashier{QStringLiteral("张三")}, receipts);
    checkout.open(table);
    Checkout::Amounts amounts;
    checkout.RecalcTotals(amounts, Checkout::Payment::Cash);
    m_t.prompt.answer(Prompt::Answer::Yes);
    const QString bill = checkout.settle({amounts.due, amounts.due, {}, Checkout::Payment::Cash}).billNumber;
    // The checkout's question and its "结账完毕!" are the fixture's, not the test's.
    m_t.prompt.clear();
    return bill;
}

QString Restaurant::field(const QString& table, const QString& column, const QString& where)
{
    return m_t.scalar(QStringLiteral("select %1 from %2 where %3").arg(column, table, where));
}

QString Restaurant::registration(const QString& table, const QString& column)
{
    return field(QStringLiteral("dj"), column,
                 QStringLiteral("czm=%1 and xfzt='占用'").arg(Sql::quote(table)));
}

QStringList Restaurant::groupState()
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

BillModification::Bill Restaurant::listedBill()
{
    const QStringList row =
        CashierReport(m_t.db)
            .bills(kNow.addDays(-1), kNow.addDays(1), CashierReport::kAll, CashierReport::kAll)
            .first();
    return {row[CashierReport::Number], row[CashierReport::Table],  row[CashierReport::Received],
            row[CashierReport::Member], row[CashierReport::Method], row[CashierReport::Note],
            row[CashierReport::Time],   row[CashierReport::Cashier]};
}
