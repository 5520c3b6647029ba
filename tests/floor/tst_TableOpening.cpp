#include "Clock.h"
#include "ReservationChoice.h"
#include "Restaurant.h"
#include "TableOpening.h"
#include "TestMain.h"

#include <QTest>

namespace {

TableBoard::Item item(const QString& name, TableBoard::State state = TableBoard::State::Free)
{
    TableBoard::Item i;
    i.name = name;
    i.state = state;
    return i;
}

// A registration as "djbh czm fjm rs xfzt zdbh zdbj bz fws jdsj".
QString registrationOf(TestDatabase& t, const QString& table)
{
    Recordset rs = t.db.query(QStringLiteral("select * from dj where czm='%1'").arg(table));
    if (rs.isEOF())
        return QString();
    QStringList fields;
    for (const char* c : {"djbh", "czm", "fjm", "rs", "xfzt", "zdbh", "zdbj", "bz", "fws", "jdsj"})
        fields << rs.getString(QLatin1String(c));
    return fields.join(QLatin1Char(' '));
}

QString tableRow(TestDatabase& t, const QString& table)
{
    Recordset rs = t.db.query(QStringLiteral("select * from cz where czm='%1'").arg(table));
    QStringList fields;
    for (const char* c : {"zyzt", "jdsj", "yzrs", "gkxm", "gkdh", "gksj", "bz"})
        fields << rs.getString(QLatin1String(c));
    return fields.join(QLatin1Char('|'));
}

} // namespace

class TestTableOpening : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void planChecks_data();
    void planChecks();
    void guests_data();
    void guests();
    void openOneTable();
    void openAGroupOfThree();
    void openingsWithinOneSecond();
    void failureAfterTheFirstInsertLeavesNothing();
    void openReservedTablesAsAGroup();
    void changeRegistrationKeepsArrivalAndConsumption();
    void failedChangeIsRolledBack();
    void waiterOfARegistration();
};

void TestTableOpening::planChecks_data()
{
    using S = TableBoard::State;
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QList<int>>("states"); // one selected item per entry: A, B, C ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("choice");

    QTest::newRow("no right") << false << QList<int>{int(S::Free)} << "你没有此操作权限!" << QStringList()
                              << "" << false;
    QTest::newRow("nothing selected")
        << true << QList<int>{} << "请选定餐桌!" << QStringList() << "" << false;
    QTest::newRow("first occupied") << true << QList<int>{int(S::Occupied), int(S::Free)} << "此餐桌已被占用!"
                                    << QStringList() << "" << false;
    QTest::newRow("another occupied") << true << QList<int>{int(S::Free), int(S::Occupied)}
                                      << "此餐桌正在使用!" << QStringList() << "" << false;
    QTest::newRow("one free table") << true << QList<int>{int(S::Free)} << "" << QStringList({"A"}) << ""
                                    << false;
    QTest::newRow("a group") << true << QList<int>{int(S::Free), int(S::Free), int(S::Reserved)} << ""
                             << QStringList({"A", "B", "C"}) << "团体开单:A,B,C" << false;
    QTest::newRow("reserved first") << true << QList<int>{int(S::Reserved), int(S::Free)} << ""
                                    << QStringList({"A"}) << "" << true;
}

void TestTableOpening::planChecks()
{
    QFETCH(bool, allowed);
    QFETCH(QList<int>, states);
    QFETCH(QString, message);
    QFETCH(QStringList, tables);
    QFETCH(QString, note);
    QFETCH(bool, choice);

    TestDatabase t;
    QList<TableBoard::Item> selected;
    for (int i = 0; i < states.size(); ++i)
        selected << item(QString(QChar('A' + i)), TableBoard::State(states.at(i)));
    TableOpening opening(t.db);
    const auto plan = opening.plan(allowed, selected);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
    QCOMPARE(bool(plan), message.isEmpty());
    if (plan) {
        QCOMPARE(plan->tables, tables);
        QCOMPARE(plan->note, note);
        QCOMPARE(plan->needsReservationChoice, choice);
        QVERIFY(plan->reservations.isEmpty());
    }
}

void TestTableOpening::guests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("guests"); // 0: refused
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("1000") << "1000" << 1000;
    QTest::newRow("1001") << "1001" << 0;
    QTest::newRow("-3") << "-3" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "4人" << 0;
}

void TestTableOpening::guests()
{
    QFETCH(QString, text);
    QFETCH(int, guests);
    TestDatabase t;
    TableOpening opening(t.db);
    const auto n = opening.guests(text);
    QCOMPARE(n.value_or(0), guests);
    QCOMPARE(t.prompt.texts(), guests ? QStringList() : QStringList({"顾客人数必须是1到1000之间的整数!"}));
}

void TestTableOpening::openOneTable()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"), QStringLiteral("大厅"));
    t.exec(QStringLiteral("update cz set gkxm='旧客',gkdh='123',gksj='x' where czm='A'"));
    TableOpening opening(t.db);
    const auto plan = opening.plan(true, {item(QStringLiteral("A"))});
    QVERIFY(plan);

    QCOMPARE(opening.open(*plan, 4, QStringLiteral("不要辣,O'Neil"), 7), QStringLiteral("20261206123000"));
    QCOMPARE(
        registrationOf(t, QStringLiteral("A")),
        QStringLiteral("20261206123000 A 大厅 4 占用 20261206123000 y 不要辣,O'Neil 7 2026-12-06 12:30:00"));
    QCOMPARE(tableRow(t, QStringLiteral("A")), QStringLiteral("占用|2026-12-06 12:30:00|4||||不要辣,O'Neil"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableOpening::openAGroupOfThree()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"), QStringLiteral("大厅"));
    Restaurant(t).table(QStringLiteral("B"), QStringLiteral("雅间"));
    Restaurant(t).table(QStringLiteral("C"), QStringLiteral("大厅"));
    Restaurant(t).table(QStringLiteral("D"), QStringLiteral("大厅"));
    TableOpening opening(t.db);
    const auto plan = opening.plan(true, {item("C"), item("A"), item("B")});
    QVERIFY(plan);
    QCOMPARE(opening.open(*plan, 6, plan->note, 0), QStringLiteral("20261206123000"));

    const QString main = QStringLiteral("20261206123000");
    QCOMPARE(registrationOf(t, "C"),
             main + " C 大厅 6 占用 " + main + " y 团体开单:C,A,B 0 2026-12-06 12:30:00");
    QCOMPARE(registrationOf(t, "A"),
             main + "1 A 大厅 6 占用 " + main + " n 团体开单:C,A,B 0 2026-12-06 12:30:00");
    QCOMPARE(registrationOf(t, "B"),
             main + "2 B 雅间 6 占用 " + main + " n 团体开单:C,A,B 0 2026-12-06 12:30:00");
    for (const char* table : {"A", "B", "C"})
        QCOMPARE(tableRow(t, QLatin1String(table)),
                 QStringLiteral("占用|2026-12-06 12:30:00|6||||团体开单:C,A,B"));
    QCOMPARE(tableRow(t, "D"), QStringLiteral("空闲||||||"));
}

// Openings within one second take the next free second, so none fails for its number.
void TestTableOpening::openingsWithinOneSecond()
{
    TestDatabase t;
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Restaurant(t).table(QLatin1String(name));
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"A", "B", "C"}, {}), 2, QString(), 0),
             QStringLiteral("20261206123000"));
    QCOMPARE(opening.open(opening.planReserved({"D"}, {}), 2, QString(), 0),
             QStringLiteral("20261206123001"));
    QCOMPARE(opening.open(opening.planReserved({"E", "F"}, {}), 2, QString(), 0),
             QStringLiteral("20261206123002"));
    QCOMPARE(t.scalar("select djbh from dj where czm='F'"), QStringLiteral("202612061230021"));
    QCOMPARE(t.scalar("select zdbh from dj where czm='F'"), QStringLiteral("20261206123002"));
    // A later second that is still free is the opening time itself.
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    t.exec("delete from dj where czm='D'");
    t.exec("update cz set zyzt='空闲' where czm='D'");
    QCOMPARE(opening.open(opening.planReserved({"D"}, {}), 2, QString(), 0),
             QStringLiteral("20261206123100"));
    QCOMPARE(t.scalar("select count(*) from dj"), QStringLiteral("6"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableOpening::failureAfterTheFirstInsertLeavesNothing()
{
    TestDatabase t;
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    Restaurant(t).shifts();
    const int booking = Restaurant(t).book("1", "A", 1, QDateTime(QDate(2026, 12, 6), QTime(13, 0)));
    // The second table refuses to be occupied.
    t.exec("create trigger refuse before update on cz when new.czm='B' begin select raise(abort,'refused'); "
           "end");
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"A", "B", "C"}, {booking}), 3, QString(), 0), QString());
    QCOMPARE(t.prompt.texts(), QStringList({"开单发生异常,开单失败!"}));
    QCOMPARE(t.prompt.shown().first().caption, QStringLiteral("提示信息"));
    QCOMPARE(t.scalar("select count(*) from dj"), QStringLiteral("0"));
    QCOMPARE(t.scalar("select count(*) from cz where zyzt='占用'"), QStringLiteral("0"));
    QCOMPARE(t.scalar("select zt from yd"), QStringLiteral("已订"));
}

// A booking of two tables, and an older cancelled booking of the same table for the same shift:
// the choice offers the live booking, and opening marks its rows arrived.
void TestTableOpening::openReservedTablesAsAGroup()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 0));
    const int cancelled = Restaurant(t).book("20261201080000", "A", 1, at, "取消");
    const int a = Restaurant(t).book("20261202080000", "A", 1, at);
    const int b = Restaurant(t).book("20261202080000", "B", 1, at);

    TableOpening opening(t.db);
    TableBoard::Item reserved = item("A", TableBoard::State::Reserved);
    const auto plan = opening.plan(true, {reserved});
    QVERIFY(plan && plan->needsReservationChoice);
    ReservationChoice choice(t.db, plan->tables.first());
    const QList<ReservationChoice::Row> rows = choice.rows();
    QCOMPARE(rows.size(), 2);
    QVERIFY(choice.accept(rows));
    const TableOpening::Plan group = opening.planReserved(choice.tables(), choice.ids());
    QCOMPARE(group.tables, QStringList({"A", "B"}));
    QCOMPARE(group.reservations, QList<int>({a, b}));
    QCOMPARE(group.note, QStringLiteral("团体开单:A,B"));

    QCOMPARE(opening.open(group, 5, group.note, 0), QStringLiteral("20261206123000"));
    QCOMPARE(t.scalar(QStringLiteral("select zt from yd where id=%1").arg(a)), QStringLiteral("到达"));
    QCOMPARE(t.scalar(QStringLiteral("select zt from yd where id=%1").arg(b)), QStringLiteral("到达"));
    QCOMPARE(t.scalar(QStringLiteral("select zt from yd where id=%1").arg(cancelled)),
             QStringLiteral("取消"));
    QCOMPARE(t.scalar("select zdbj from dj where czm='B'"), QStringLiteral("n"));
    QCOMPARE(tableRow(t, "C"), QStringLiteral("空闲||||||"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableOpening::changeRegistrationKeepsArrivalAndConsumption()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"), QStringLiteral("大厅"));
    Restaurant(t).table(QStringLiteral("B"), QStringLiteral("大厅"));
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    t.exec("insert into fws(xm,jp) values('李强','LQ')");
    TableOpening opening(t.db);
    opening.open(opening.planReserved({"A", "B"}, {}), 2, QStringLiteral("团体开单:A,B"), 1);
    t.exec("insert into xfmx(czm,xfxm,sl,xmdj,ysje,jzr) values('A','米饭',1,2,2,'王芳')");
    t.exec("update cz set xfhj=2 where czm='A'");
    t.exec("update dj set xfhj=2 where czm='A'");

    const auto before = opening.registration(QStringLiteral("A"));
    QVERIFY(before);
    QCOMPARE(QStringList({QString::number(before->guests), before->note, QString::number(before->waiter),
                          before->waiterName}),
             QStringList({"2", "团体开单:A,B", "1", "王芳"}));

    Clock::setFixed(Restaurant::kNow.addSecs(3600));
    QVERIFY(opening.change(QStringLiteral("A"), 5, QStringLiteral("生日'宴"), 2));
    QCOMPARE(registrationOf(t, "A"),
             QStringLiteral("20261206123000 A 大厅 5 占用 20261206123000 y 生日'宴 2 2026-12-06 12:30:00"));
    QCOMPARE(tableRow(t, "A"), QStringLiteral("占用|2026-12-06 12:30:00|5||||团体开单:A,B"));
    QCOMPARE(t.scalar("select xfhj from cz where czm='A'"), QStringLiteral("2"));
    QCOMPARE(t.scalar("select xfhj from dj where czm='A'"), QStringLiteral("2"));
    QCOMPARE(t.scalar("select count(*) from xfmx where czm='A' and jzbj='0'"), QStringLiteral("1"));
    // The other table of the group is not touched.
    QCOMPARE(t.scalar("select rs from dj where czm='B'"), QStringLiteral("2"));
    const auto after = opening.registration(QStringLiteral("A"));
    QCOMPARE(after->waiterName, QStringLiteral("李强"));
    QVERIFY(t.prompt.texts().isEmpty());

    QVERIFY(!opening.registration(QStringLiteral("C")));
}

void TestTableOpening::failedChangeIsRolledBack()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"));
    TableOpening opening(t.db);
    opening.open(opening.planReserved({"A"}, {}), 2, QStringLiteral("原备注"), 0);
    t.exec("create trigger refuse before update on cz begin select raise(abort,'refused'); end");
    QVERIFY(!opening.change(QStringLiteral("A"), 9, QStringLiteral("新备注"), 0));
    QCOMPARE(t.prompt.texts(), QStringList({"修改登记发生异常,修改失败!"}));
    QCOMPARE(t.scalar("select rs||bz from dj where czm='A'"), QStringLiteral("2原备注"));
}

void TestTableOpening::waiterOfARegistration()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"));
    TableOpening opening(t.db);
    const QString number = opening.open(opening.planReserved({"A"}, {}), 2, QString(), 0);
    QVERIFY(opening.setWaiter(number, 3));
    QCOMPARE(t.scalar("select fws from dj where czm='A'"), QStringLiteral("3"));
}

PELVAR_TEST(TestTableOpening)
#include "tst_TableOpening.moc"
