#include "DataClearing.h"
#include "DayTotals.h"
#include "Finance.h"
#include "Restaurant.h"
#include "SalesStatistics.h"
#include "TestMain.h"
#include "WaiterSales.h"

#include <QTest>

#include <ctime>

using Mode = SalesStatistics::Mode;

namespace {

// Lines over three days of December, settled, open and released, with a return, a gift, a
// discount, weighed dishes, table fees (no item of that name), and times that name no day; the
// bill's visits with waiters, none, one deleted since, and a table with two visits of the bill.
void history(TestDatabase& t, Restaurant& r)
{
    t.exec(QStringLiteral("update xm set jhdj=10.5,ckcb=12 where xmm='鱼香肉丝'"));
    t.exec(QStringLiteral("update xm set jhdj=15,ckcb=20.25 where xmm='红烧肉'"));
    const struct
    {
        const char* table;
        const char* item;
        double quantity, price, ratio;
        const char* time;
        const char* mark;
    } lines[] = {
        {"A1", "鱼香肉丝", 2, 28, 1, "2026-12-06 11:05:00", "1"},
        {"A1", "鱼香肉丝", -1, 28, 1, "2026-12-06 11:35:00", "1"},
        {"A1", "红烧肉", 0.3, 38.5, 0.9, "2026-12-06 23:59:59", "1"},
        {"A1", "红烧肉", 1.2, 38.5, 0.9, "2026-12-06 00:00:00", "1"},
        {"A1", "可乐", 3, 5, 0, "2026-12-06 12:00:00", "1"},
        {"A1", "餐桌费", 4, 5, 1, "2026-12-06 11:00:00", "1"},
        {"A2", "啤酒", 6, 8, 1, "2026-12-05 21:00:00", "1"},
        {"A2", "特色水煮鱼片A1234", 1, 45, 1, "2026-12-07 09:00:00", "1"},
        {"A2", "红烧肉", 0.1, 38.5, 1, "2026-12-06 13:00:00", "2"},
        {"A3", "鱼香肉丝", 1, 28, 1, "2026-12-06 12:30:00", "0"},
        {"A3", "红烧肉", 0.7, 38.5, 1, "2026-12-06 12:31:00", "0"},
        {"A3", "餐桌费", 2, 5, 1, "2026-12-06 12:30:00", "0"},
        {"B1", "鱼香肉丝", 5, 28, 1, "2026-12-06", "1"},
        {"B1", "啤酒", 2, 8, 1, "2026-12-06 12:00", "1"},
        {"B1", "可乐", 1, 5, 1, "2026-12-06 24:00:00", "1"},
        {"B1", "红烧肉", 1, 38.5, 1, "2026-11-30 18:00:00", "1"},
    };
    r.seat(QStringLiteral("A3"));
    for (const auto& l : lines) {
        const qint64 number =
            r.line(QString::fromUtf8(l.table), QString::fromUtf8(l.item), l.quantity, l.price, l.ratio);
        t.exec(QStringLiteral("update xfmx set xfsj='%1',jzbj='%2',jzzdh=%3 where xfbh=%4")
                   .arg(QLatin1String(l.time), QLatin1String(l.mark),
                        *l.mark == '1' ? QStringLiteral("'B1'") : QStringLiteral("null"))
                   .arg(number));
    }
    t.exec(QStringLiteral("insert into xfmx(czm,sl,ysje,jzbj,jzzdh) values('A2',1,10,'1','B1')")); // no item
    t.exec(QStringLiteral("insert into fws(xm) values('张丽'),('王芳')"));
    t.exec(
        QStringLiteral("insert into dj(djbh,czm,fws,xfzt,jzdh) values('R1','A1',1,'离店','B1'),"
                       "('R2','A2',2,'离店','B1'),('R3','B1',null,'离店','B1'),('R4','B1',7,'离店','B1')"));
}

QStringList reports(Database& db, const QString& folder, const ReportPeriod& period, LineSource source)
{
    QStringList rows;
    for (const ReportTable& table :
         {SalesStatistics(db).compute(Mode::Category, period, source),
          SalesStatistics(db).compute(Mode::Item, period, source),
          Finance(db, folder).statement(period, source), WaiterSales(db).compute(period, {}, source),
          WaiterSales(db).compute(period, {"红烧肉", "可乐"}, source)})
        for (const QStringList& row : table.rows)
            rows << row.join(QLatin1Char('|'));
    return rows;
}

} // namespace

// The reports read the day totals that triggers keep; whatever wrote the lines, and for any period,
// they must show exactly what the lines show when read one by one.
class TestDayTotals : public QObject
{
    Q_OBJECT
private slots:
    void reportsEqualTheLines_data();
    void reportsEqualTheLines();
    void aDayWithoutMidnight_data();
    void aDayWithoutMidnight();
};

void TestDayTotals::reportsEqualTheLines_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("as recorded") << QStringList{};
    QTest::newRow("added, returned, given free") << QStringList{
        "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,xfsj) values('A3','可乐',2,5,1,0,10,"
        "'2026-12-06 13:00:00')",
        "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,xfsj,tdbj) values('A3','鱼香肉丝',-1,28,"
        "1,0,-28,'2026-12-06 13:01:00','1.00')",
        "update xfmx set tdsl=tdsl+1,tdbj='1' where czm='A3' and xfxm='鱼香肉丝' and sl>0",
        "update xfmx set dzbl=0,dzje=xmdj*sl,ysje=0 where czm='A3' and xfxm='红烧肉'"};
    QTest::newRow("moved and settled") << QStringList{"update xfmx set czm='C1' where czm='A3' and jzbj='0'",
                                                      "update xfmx set jzbj='1' where czm='C1'",
                                                      "update xfmx set jzzdh='B9',hybh=0 where czm='C1'"};
    QTest::newRow("bill modified, dish renamed, times corrected") << QStringList{
        "delete from xfmx where jzzdh='B1' and xfxm='鱼香肉丝'",
        "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,xfsj,jzbj,jzzdh) values('A1','鱼香肉丝',"
        "3,28,0.8,16.8,67.2,'2026-12-06 11:05:00','1','B1')",
        "update xfmx set sl=2,ysje=77,dzje=0 where xfxm='红烧肉' and xfsj like '2026-11%'",
        "update xfmx set xfxm='红烧肉(大)' where xfxm='红烧肉'",
        "update xm set xmm='红烧肉(大)'"
        " where xmm='红烧肉'",
        "update xfmx set xfsj='2026-12-06 10:00:00' where xfsj in ('2026-12-06','2026-12-06 12:00')",
        "update xfmx set xfsj='2026-12-07 08:00' where xfxm='啤酒'",
        "update xfmx set xfxm='可乐',xfsj=null where xfxm is null"};
    QTest::newRow("waiter changed, a table's part of the bill moved, a visit deleted")
        << QStringList{"update dj set fws=2 where djbh='R1'", "update dj set jzdh='B2' where czm='A2'",
                       "update xfmx set jzzdh='B2' where czm='A2'", "delete from dj where djbh='R4'"};
    QTest::newRow("released, then deleted one by one")
        << QStringList{"update xfmx set jzbj='2' where jzbj='0'", "delete * from\txfmx"};
    // REPLACE removes the row it conflicts with as a delete does.
    QTest::newRow("replace into") << QStringList{
        "replace into dj(djbh,czm,fws,xfzt,jzdh) values('R1','A1',2,'离店','B1')"};
    QTest::newRow("insert or replace") << QStringList{
        "insert or replace into xfmx(xfbh,czm,xfxm,sl,xmdj,dzbl,dzje,ysje,xfsj,jzbj,jzzdh) select xfbh,czm,"
        "xfxm,sl*2,xmdj,dzbl,dzje*2,ysje*2,xfsj,jzbj,jzzdh from xfmx where xfxm='鱼香肉丝'"};
    QTest::newRow("update or replace") << QStringList{
        "update or replace xfmx set xfbh=(select min(xfbh) from xfmx) where xfbh=(select max(xfbh) from "
        "xfmx where xfxm='红烧肉')"};
    // Gifts of 13.95 × 0.3 = 4.185: one given back, another of three portions; the sum ends in an
    // exact half cent, which binary fractions added in another order round the other way.
    const QString gift = QStringLiteral(
        "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,xfsj,jzbj,jzzdh) values('A1','龙井',%1,13.95,0,"
        "13.95*%1,0,'2026-12-06 14:00:00','1','B1')");
    QTest::newRow("half cents") << QStringList{
        "insert into xm(xmbh,xmm,dj,lbm) values(9,'龙井',13.95,'酒水')", gift.arg("0.3"), gift.arg("0.3"),
        gift.arg("0.3"), "delete from xfmx where xfbh=(select min(xfbh)+1 from xfmx where xfxm='龙井')",
        gift.arg("0.3*3")};
    // Groups of the data clearing page.
    QTest::newRow("visits cleared") << QStringList{"清空登记信息表"};
    QTest::newRow("lines cleared") << QStringList{"清空消费明细表"};
}

void TestDayTotals::reportsEqualTheLines()
{
    QFETCH(QStringList, statements);
    if (TestDatabase::onServer() && QByteArray(QTest::currentDataTag()).contains("replace"))
        QSKIP("REPLACE is the file's own statement; the server has none");
    for (const bool migrated : {false, true}) {
        TestDatabase t;
        Restaurant r = Restaurant::withMenu(t);
        history(t, r);
        t.prompt.fallback = Prompt::Answer::Yes;
        for (const QString& statement : statements) {
            const auto& groups = DataClearing::groups();
            const auto group = std::find_if(groups.begin(), groups.end(), [&](const DataClearing::Group& g) {
                return g.label == statement;
            });
            if (group == groups.end()) {
                t.exec(statement);
                continue;
            }
            t.exec(QStringLiteral("update cz set zyzt='空闲'")); // the tables settled first
            QVERIFY(DataClearing(t.db, t.prompt)
                            .clear({int(group - groups.begin())}, QStringLiteral("系统管理员")));
        }
        if (migrated && TestDatabase::onServer()) {
            // A server's database of the version before the totals: opening it builds them.
            for (const QString& drop : DayTotals::withoutTriggers(t.db))
                t.exec(drop);
            t.exec(QStringLiteral("drop table xfrhz; drop table fwsrhz; drop index xfmx_xfsj_odd; "
                                  "update pelvar_version set version=3"));
            t.db.close();
            t.db.open(t.location());
        } else if (migrated) {
            // A file of the version before the totals: opening it builds them from its lines.
            Recordset added = t.db.query(QStringLiteral(
                "select type,name from sqlite_master where name like '%rhz%' or name='xfmx_xfsj_odd'"));
            for (; !added.isEOF(); added.moveNext())
                t.exec(QStringLiteral("drop %1 %2")
                           .arg(added.getString(QStringLiteral("type")),
                                added.getString(QStringLiteral("name"))));
            t.exec(QStringLiteral("pragma user_version = 3"));
            t.db.close();
            t.db.open(t.filePath());
        }
        const QStringList day =
            reports(t.db, t.folder(), ReportPeriod({2026, 12, 6}, {2026, 12, 6}), LineSource::Lines);
        const QString all = statements.join(QString());
        QCOMPARE(day.size() > 12,
                 !all.contains(QStringLiteral("delete *")) && !all.contains(QStringLiteral("明细")));
        for (const ReportPeriod& period :
             {ReportPeriod({2026, 12, 6}, {2026, 12, 6}), ReportPeriod({2026, 12, 5}, {2026, 12, 7}),
              ReportPeriod({2026, 11, 1}, {2026, 12, 31})})
            QCOMPARE(reports(t.db, t.folder(), period, LineSource::DayTotals),
                     reports(t.db, t.folder(), period, LineSource::Lines));
    }
}

// Where daylight saving begins at midnight, the day's first hour does not exist on the clock, but the
// day is still reported from 00:00:00 to 23:59:59 of its stored times.
void TestDayTotals::aDayWithoutMidnight_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("day");
    QTest::newRow("America/Santiago") << QByteArray("America/Santiago") << QDate(2026, 9, 6);
    QTest::newRow("America/Havana") << QByteArray("America/Havana") << QDate(2026, 3, 8);
    QTest::newRow("Asia/Beirut") << QByteArray("Asia/Beirut") << QDate(2026, 3, 29);
}

void TestDayTotals::aDayWithoutMidnight()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, day);
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    const bool skipped = !QDateTime(day, QTime(0, 0)).isValid();
    QStringList byTotals, byLines;
    QStringList messages;
    {
        TestDatabase t;
        Restaurant r = Restaurant::withMenu(t);
        t.exec(QStringLiteral("insert into fws(xm) values('张丽')"));
        t.exec(QStringLiteral("insert into dj(djbh,czm,fws,xfzt,jzdh) values('R1','A1',1,'离店','B1')"));
        for (const char* time : {"00:00:00", "00:30:00", "12:00:00", "23:59:59"}) {
            const qint64 number = r.line(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1, 38.5, 1);
            t.exec(QStringLiteral("update xfmx set xfsj='%1 %2',jzbj='1',jzzdh='B1' where xfbh=%3")
                       .arg(day.toString(Qt::ISODate), QLatin1String(time))
                       .arg(number));
        }
        const ReportPeriod period(day, day);
        byTotals = reports(t.db, t.folder(), period, LineSource::DayTotals);
        byLines = reports(t.db, t.folder(), period, LineSource::Lines);
        messages = t.prompt.texts();
    }
    before.isNull() ? qunsetenv("TZ") : qputenv("TZ", before);
    tzset();
    QVERIFY2(skipped, "the zone's midnight exists: no daylight-saving change at 00:00 here");
    QCOMPARE(messages, QStringList());
    QVERIFY2(byLines.contains(QStringLiteral("红烧肉|热菜|4|0.00|154.00|100.00%|154.00|154.00")),
             qPrintable(byLines.join('\n')));
    QCOMPARE(byTotals, byLines);
}

PELVAR_TEST(TestDayTotals)
#include "tst_DayTotals.moc"
