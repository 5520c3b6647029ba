#include "Clock.h"
#include "Restaurant.h"
#include "TableChange.h"
#include "TestMain.h"

#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(19, 0, 0));
const QDateTime kArrival(QDate(2026, 12, 6), QTime(18, 12, 40));

// Two rooms; lunch (1) and dinner (2) shifts, so that dinner is the current shift at kNow.
void setUpFloor(TestDatabase& t, Restaurant& floor)
{
    floor.tables(QStringLiteral("大厅"), {QStringLiteral("A1"), QStringLiteral("A2")});
    floor.tables(QStringLiteral("包间"), {QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")});
    t.exec(QStringLiteral(
        "insert into yybc (bcmc,qssj,jssj) values ('午餐',#2010-01-01 11:0:0#,#2010-01-01 14:0:0#)"));
    t.exec(QStringLiteral(
        "insert into yybc (bcmc,qssj,jssj) values ('晚餐',#2010-01-01 17:0:0#,#2010-01-01 21:0:0#)"));
}

// A1 open with 4 guests, a note and three open lines totalling 56.00, plus a line of an earlier
// visit that was already settled.
void openA1(TestDatabase& t, Restaurant& floor)
{
    t.exec(QStringLiteral("insert into xfmx (czm,xfxm,sl,xmdj,ysje,jzbj,jzzdh) "
                          "values ('A1','旧账',1,30,30,'1','202612050001')"));
    floor.open({QStringLiteral("A1")}, kArrival, 4, QStringLiteral("生日宴"));
    floor.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 28);
    floor.line(QStringLiteral("A1"), QStringLiteral("米饭"), 4, 2);
    floor.line(QStringLiteral("A1"), QStringLiteral("啤酒"), 2, 10);
}

} // namespace

class TestTableChange : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(kNow); }
    void cleanup() { Clock::clearFixed(); }

    void movesTheVisitWithItsLinesAndTotals();
    void offeredTables_data();
    void offeredTables();
    void refusedTargetChangesNothing_data();
    void refusedTargetChangesNothing();
    void failureChangesNothing();
    void movedMainTableKeepsItsGroup();
    void roomsAndNamesWithQuotes();
};

void TestTableChange::movesTheVisitWithItsLinesAndTotals()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpFloor(t, floor);
    openA1(t, floor);
    const QString number = floor.registration(QStringLiteral("A1"), QStringLiteral("djbh"));

    TableChange change(t.db);
    QVERIFY(change.canChange(QStringLiteral("A1")));
    QVERIFY(change.move(QStringLiteral("A1"), QStringLiteral("B2")));
    QCOMPARE(t.prompt.texts(), QStringList());

    const QString b2 = QStringLiteral("czm='B2'");
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("zyzt"), b2), QStringLiteral("占用"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("printf('%.2f',xfhj)"), b2),
             QStringLiteral("56.00"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("jdsj"), b2),
             QStringLiteral("2026-12-06 18:12:40"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("yzrs"), b2), QStringLiteral("4"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("yysj"), b2), QStringLiteral("0小时5分"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("bz"), b2), QStringLiteral("生日宴"));

    const QString a1 = QStringLiteral("czm='A1'");
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("zyzt"), a1), QStringLiteral("空闲"));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("xfhj"), a1), QStringLiteral("0"));
    for (const char* column : {"jdsj", "yysj", "yzrs", "bz"})
        QCOMPARE(floor.field(QStringLiteral("cz"), QLatin1String(column), a1), QString());

    // The registration, its group and its total follow the guests; its room stays that of the opening.
    QCOMPARE(floor.registration(QStringLiteral("B2"), QStringLiteral("djbh")), number);
    QCOMPARE(floor.registration(QStringLiteral("B2"), QStringLiteral("zdbh")), number);
    QCOMPARE(floor.registration(QStringLiteral("B2"), QStringLiteral("zdbj")), QStringLiteral("y"));
    QCOMPARE(floor.registration(QStringLiteral("B2"), QStringLiteral("fjm")), QStringLiteral("大厅"));
    QCOMPARE(floor.registration(QStringLiteral("B2"), QStringLiteral("printf('%.2f',xfhj)")),
             QStringLiteral("56.00"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from dj where czm='A1'")), QStringLiteral("0"));

    QCOMPARE(floor.field(QStringLiteral("xfmx"), QStringLiteral("count(*)"),
                         QStringLiteral("czm='B2' and jzbj='0'")),
             QStringLiteral("3"));
    QCOMPARE(floor.field(QStringLiteral("xfmx"), QStringLiteral("count(*)"),
                         QStringLiteral("czm='A1' and jzbj='0'")),
             QStringLiteral("0"));
    QCOMPARE(
        floor.field(QStringLiteral("xfmx"), QStringLiteral("group_concat(xfxm)"), QStringLiteral("czm='A1'")),
        QStringLiteral("旧账"));

    // A checkout of the new table now bills exactly that visit.
    QCOMPARE(floor.checkout(QStringLiteral("B2"), QStringLiteral("202612060001")),
             QStringList{QStringLiteral("B2")});
    QCOMPARE(floor.field(QStringLiteral("xfmx"), QStringLiteral("printf('%.2f',sum(ysje))"),
                         QStringLiteral("jzzdh='202612060001'")),
             QStringLiteral("56.00"));
}

void TestTableChange::offeredTables_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("dayOffset");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("offered");

    const QStringList all{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")};
    const QStringList withoutB2{QStringLiteral("B1"), QStringLiteral("B3")};
    QTest::newRow("this shift today") << kNow << 0 << 2 << QStringLiteral("已订") << withoutB2;
    QTest::newRow("another shift today") << kNow << 0 << 1 << QStringLiteral("已订") << all;
    QTest::newRow("this shift tomorrow") << kNow << 1 << 2 << QStringLiteral("已订") << all;
    QTest::newRow("this shift yesterday") << kNow << -1 << 2 << QStringLiteral("已订") << all;
    QTest::newRow("cancelled") << kNow << 0 << 2 << QStringLiteral("取消") << all;
    QTest::newRow("arrived") << kNow << 0 << 2 << QStringLiteral("到达") << all;
    QTest::newRow("lunch reservation at lunch")
        << QDateTime(kNow.date(), QTime(12, 0)) << 0 << 1 << QStringLiteral("已订") << withoutB2;
    // Between shifts no shift is current, so no reservation holds a table back.
    QTest::newRow("between shifts") << QDateTime(kNow.date(), QTime(15, 0)) << 0 << 2
                                    << QStringLiteral("已订") << all;
    QTest::newRow("at the second a shift starts")
        << QDateTime(kNow.date(), QTime(17, 0)) << 0 << 2 << QStringLiteral("已订") << all;
}

void TestTableChange::offeredTables()
{
    QFETCH(QDateTime, now);
    QFETCH(int, dayOffset);
    QFETCH(int, shift);
    QFETCH(QString, state);
    QFETCH(QStringList, offered);

    TestDatabase t;
    Restaurant floor(t);
    setUpFloor(t, floor);
    floor.book(QStringLiteral("20261201100000"), QStringLiteral("B2"), shift,
               QDateTime(now.date().addDays(dayOffset), QTime(18, 30)), state);
    Clock::setFixed(now);

    TableChange change(t.db);
    QCOMPARE(change.offeredTables(QStringLiteral("包间")), offered);

    // Occupied tables are never offered, nor tables of another room.
    floor.open({QStringLiteral("B1")}, kArrival);
    offered.removeOne(QStringLiteral("B1"));
    QCOMPARE(change.offeredTables(QStringLiteral("包间")), offered);
    QCOMPARE(change.offeredTables(QStringLiteral("大厅")),
             (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestTableChange::refusedTargetChangesNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("no target chosen") << QStringLiteral("A1") << QString() << QStringList();
    QTest::newRow("unknown target") << QStringLiteral("A1") << QStringLiteral("Z9") << QStringList();
    QTest::newRow("occupied target") << QStringLiteral("A1") << QStringLiteral("B1")
                                     << QStringList{QStringLiteral("此餐桌已被占用!")};
    QTest::newRow("target reserved for this shift today")
        << QStringLiteral("A1") << QStringLiteral("B2") << QStringList{QStringLiteral("此餐桌已被预订!")};
    QTest::newRow("free source") << QStringLiteral("A2") << QStringLiteral("B3")
                                 << QStringList{QStringLiteral("请选定占用餐桌!")};
}

void TestTableChange::refusedTargetChangesNothing()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QStringList, messages);

    TestDatabase t;
    Restaurant floor(t);
    setUpFloor(t, floor);
    openA1(t, floor);
    floor.open({QStringLiteral("B1")}, kArrival.addSecs(60));
    floor.book(QStringLiteral("20261201100000"), QStringLiteral("B2"), 2,
               QDateTime(kNow.date(), QTime(18, 30)));
    const QString before = t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj||bz) from cz"));
    const QStringList groups = floor.groupState();

    TableChange change(t.db);
    QVERIFY(!change.move(source, target));
    QCOMPARE(t.prompt.texts(), messages);
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj||bz) from cz")), before);
    QCOMPARE(floor.groupState(), groups);
    QCOMPARE(floor.field(QStringLiteral("xfmx"), QStringLiteral("count(*)"),
                         QStringLiteral("czm='A1' and jzbj='0'")),
             QStringLiteral("3"));
}

void TestTableChange::failureChangesNothing()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpFloor(t, floor);
    openA1(t, floor);
    // The last statement of the move, carrying the lines over, fails.
    t.exec(QStringLiteral(
        "create trigger refuse before update on xfmx begin select raise(abort,'磁盘已满'); end"));
    const QString tables =
        t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj||jdsj||yzrs||bz) from cz"));
    const QStringList groups = floor.groupState();

    TableChange change(t.db);
    QVERIFY(!change.move(QStringLiteral("A1"), QStringLiteral("B2")));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("更换餐桌发生异常,更换失败!")});
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj||jdsj||yzrs||bz) from cz")),
             tables);
    QCOMPARE(floor.groupState(), groups);
    QCOMPARE(floor.registration(QStringLiteral("A1"), QStringLiteral("czm")), QStringLiteral("A1"));
    QCOMPARE(floor.field(QStringLiteral("xfmx"), QStringLiteral("count(*)"),
                         QStringLiteral("czm='A1' and jzbj='0'")),
             QStringLiteral("3"));
}

void TestTableChange::movedMainTableKeepsItsGroup()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpFloor(t, floor);
    floor.open({QStringLiteral("A1"), QStringLiteral("A2")}, kArrival);
    floor.line(QStringLiteral("A2"), QStringLiteral("啤酒"), 2, 10);

    TableChange change(t.db);
    QVERIFY(change.move(QStringLiteral("A1"), QStringLiteral("B3")));
    QVERIFY(change.move(QStringLiteral("A2"), QStringLiteral("A1")));

    // Checking out from the moved child gathers the moved main table and the child.
    QCOMPARE(floor.checkout(QStringLiteral("A1"), QStringLiteral("202612060001")),
             (QStringList{QStringLiteral("B3"), QStringLiteral("A1")}));
    QCOMPARE(
        floor.field(QStringLiteral("xfmx"), QStringLiteral("czm"), QStringLiteral("jzzdh='202612060001'")),
        QStringLiteral("A1"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from cz where zyzt='占用'")), QStringLiteral("0"));
}

void TestTableChange::roomsAndNamesWithQuotes()
{
    TestDatabase t;
    Restaurant floor(t);
    floor.tables(QStringLiteral("二楼"), {QStringLiteral("O'Neil")});
    floor.tables(QStringLiteral("Kate's"), {QStringLiteral("K'1")});
    floor.tables(QStringLiteral("大厅"), {QStringLiteral("A1")});
    floor.open({QStringLiteral("O'Neil")}, kArrival);

    TableChange change(t.db);
    QCOMPARE(change.rooms(),
             (QStringList{QStringLiteral("二楼"), QStringLiteral("Kate's"), QStringLiteral("大厅")}));
    QCOMPARE(change.offeredTables(QStringLiteral("Kate's")), QStringList{QStringLiteral("K'1")});
    QVERIFY(change.move(QStringLiteral("O'Neil"), QStringLiteral("K'1")));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("zyzt"), QStringLiteral("czm='K''1'")),
             QStringLiteral("占用"));
    QCOMPARE(t.prompt.texts(), QStringList());
}

PELVAR_TEST(TestTableChange)
#include "tst_TableChange.moc"
