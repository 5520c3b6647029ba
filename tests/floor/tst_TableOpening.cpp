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
    return t.scalar(
        QStringLiteral("select djbh||' '||czm||' '||fjm||' '||rs||' '||xfzt||' '||zdbh||' '||zdbj||' '"
                       "||bz||' '||fws||' '||jdsj from dj where czm='%1'")
            .arg(table));
}

// A table as "zyzt|jdsj|yzrs|gkxm|gkdh|gksj|bz".
QString tableRow(TestDatabase& t, const QString& table)
{
    return t.scalar(
        QStringLiteral("select zyzt||'|'||jdsj||'|'||yzrs||'|'||gkxm||'|'||gkdh||'|'||gksj||'|'||bz "
                       "from cz where czm='%1'")
            .arg(table));
}

QStringList tablesOf(const QList<ReservationChoice::Row>& rows)
{
    QStringList names;
    for (const ReservationChoice::Row& r : rows)
        names << r.table;
    return names;
}

} // namespace

class TestTableOpening : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void plan_data();
    void plan();
    void guests_data();
    void guests();
    void openOneTable();
    void openAGroupOfThree();
    void openingsWithinOneSecond();
    void tableOpenedMeanwhileIsRefused();
    void failureAfterTheFirstInsertLeavesNothing();
    void reservationChoice_data();
    void reservationChoice();
    void openReservedTablesAsAGroup();
    void changeRegistration();
};

void TestTableOpening::plan_data()
{
    using S = TableBoard::State;
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QList<int>>("states"); // one selected item per entry: A, B, C ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("note"); // of the plan; "?" for the reservation choice
    QTest::newRow("no right") << false << QList<int>{int(S::Free)} << "你没有此操作权限!"
                              << "";
    QTest::newRow("nothing selected") << true << QList<int>{} << "请选定餐桌!"
                                      << "";
    QTest::newRow("first occupied") << true << QList<int>{int(S::Occupied), int(S::Free)} << "此餐桌已被占用!"
                                    << "";
    QTest::newRow("another occupied")
        << true << QList<int>{int(S::Free), int(S::Occupied)} << "此餐桌正在使用!"
        << "";
    QTest::newRow("one free table") << true << QList<int>{int(S::Free)} << ""
                                    << "";
    QTest::newRow("a group") << true << QList<int>{int(S::Free), int(S::Free), int(S::Reserved)} << ""
                             << "团体开单:A,B,C";
    QTest::newRow("reserved first") << true << QList<int>{int(S::Reserved), int(S::Free)} << ""
                                    << "?";
}

void TestTableOpening::plan()
{
    QFETCH(bool, allowed);
    QFETCH(QList<int>, states);
    QFETCH(QString, message);
    QFETCH(QString, note);
    TestDatabase t;
    QList<TableBoard::Item> selected;
    QStringList names;
    for (int i = 0; i < states.size(); ++i) {
        names << QString(QChar('A' + i));
        selected << item(names.last(), TableBoard::State(states.at(i)));
    }
    const auto plan = TableOpening(t.db).plan(allowed, selected);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
    QCOMPARE(bool(plan), message.isEmpty());
    if (!plan)
        return;
    QCOMPARE(plan->needsReservationChoice, note == QStringLiteral("?"));
    QCOMPARE(plan->tables, plan->needsReservationChoice ? names.mid(0, 1) : names);
    QCOMPARE(plan->note, plan->needsReservationChoice ? QString() : note);
}

void TestTableOpening::guests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("guests"); // 0: refused
    for (const char* text : {"0", "1001", "-3", "", "4人", "1.5"})
        QTest::newRow(text) << QString::fromUtf8(text) << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("1000") << " 1000 " << 1000;
}

void TestTableOpening::guests()
{
    QFETCH(QString, text);
    QFETCH(int, guests);
    TestDatabase t;
    QCOMPARE(TableOpening(t.db).guests(text).value_or(0), guests);
    QCOMPARE(t.prompt.texts(), guests ? QStringList() : QStringList({"顾客人数必须是1到1000之间的整数!"}));
}

void TestTableOpening::openOneTable()
{
    TestDatabase t;
    Restaurant(t).table(QStringLiteral("A"));
    t.exec(QStringLiteral("update cz set gkxm='旧客',gkdh='123',gksj='x' where czm='A'"));
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"A"}, {}), 4, QStringLiteral("不要辣,O'Neil"), 7),
             QStringLiteral("20261206123000"));
    QCOMPARE(
        registrationOf(t, "A"),
        QStringLiteral("20261206123000 A 大厅 4 占用 20261206123000 y 不要辣,O'Neil 7 2026-12-06 12:30:00"));
    QCOMPARE(tableRow(t, "A"), QStringLiteral("占用|2026-12-06 12:30:00|4||||不要辣,O'Neil"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableOpening::openAGroupOfThree()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "C", "D"});
    r.table(QStringLiteral("B"), QStringLiteral("雅间"));
    TableOpening opening(t.db);
    const auto plan = opening.plan(true, {item("C"), item("A"), item("B")});
    const QString main = QStringLiteral("20261206123000");
    QCOMPARE(opening.open(*plan, 6, plan->note, 0), main);
    const QString rest = QStringLiteral(" 6 占用 ") + main;
    const QString tail = QStringLiteral(" 团体开单:C,A,B 0 2026-12-06 12:30:00");
    QCOMPARE(registrationOf(t, "C"), main + " C 大厅" + rest + " y" + tail);
    QCOMPARE(registrationOf(t, "A"), main + "1 A 大厅" + rest + " n" + tail);
    QCOMPARE(registrationOf(t, "B"), main + "2 B 雅间" + rest + " n" + tail);
    for (const char* table : {"A", "B", "C"})
        QCOMPARE(tableRow(t, QLatin1String(table)),
                 QStringLiteral("占用|2026-12-06 12:30:00|6||||团体开单:C,A,B"));
    QCOMPARE(tableRow(t, "D"), QStringLiteral("空闲||||||"));
}

// Openings within one second take the next free second, so none fails for its number.
void TestTableOpening::openingsWithinOneSecond()
{
    TestDatabase t;
    Restaurant(t).tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E", "F"});
    TableOpening opening(t.db);
    const auto open = [&opening](const QStringList& tables) {
        return opening.open(opening.planReserved(tables, {}), 2, QString(), 0);
    };
    QCOMPARE(open({"A", "B", "C"}), QStringLiteral("20261206123000"));
    QCOMPARE(open({"D"}), QStringLiteral("20261206123001"));
    QCOMPARE(open({"E", "F"}), QStringLiteral("20261206123002"));
    QCOMPARE(t.scalar("select djbh||' '||zdbh from dj where czm='F'"),
             QStringLiteral("202612061230021 20261206123002"));
    // A later second that is still free is the opening time itself.
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    t.exec("delete from dj where czm='D'");
    t.exec("update cz set zyzt='空闲' where czm='D'");
    QCOMPARE(open({"D"}), QStringLiteral("20261206123100"));
    QVERIFY(t.prompt.texts().isEmpty());
}

// The board showed B free, but another command opened it since: nothing is opened.
void TestTableOpening::tableOpenedMeanwhileIsRefused()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B"});
    TableOpening opening(t.db);
    const auto plan = opening.plan(true, {item("A"), item("B")});
    r.open({"B"}, Restaurant::kNow.addSecs(-60));
    QCOMPARE(opening.open(*plan, 2, plan->note, 0), QString());
    QCOMPARE(t.prompt.texts(), QStringList({"此餐桌已被占用!"}));
    QCOMPARE(t.scalar("select group_concat(czm) from dj"), QStringLiteral("B"));
    QCOMPARE(tableRow(t, "A"), QStringLiteral("空闲||||||"));
}

void TestTableOpening::failureAfterTheFirstInsertLeavesNothing()
{
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C"});
    const int booking = r.book("1", "A", 1, QDateTime(QDate(2026, 12, 6), QTime(13, 0)));
    t.exec("create trigger refuse before update on cz when new.czm='B' begin select raise(abort,'x'); end");
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"A", "B", "C"}, {booking}), 3, QString(), 0), QString());
    QCOMPARE(t.prompt.texts(), QStringList({"开单发生异常,开单失败!"}));
    QCOMPARE(t.scalar("select count(*) from dj") + t.scalar("select count(*) from cz where zyzt='占用'") +
                 t.scalar("select zt from yd"),
             QStringLiteral("00已订"));
}

// Table A belongs to booking "live" (A, B, C; C arrived, B occupied) for shift 1 today. Other
// rows of A: a cancelled booking for the same shift and day, one for tomorrow, one for shift 2.
void TestTableOpening::reservationChoice_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("message");
    QTest::newRow("A, both ticked") << "A" << QStringList({"A", "B"}) << QStringList({"A", "B"})
                                    << "餐桌:B正在使用,请取消该餐桌!";
    QTest::newRow("B, A ticked") << "B" << QStringList({"A", "B"}) << QStringList({"A"}) << "";
    QTest::newRow("none ticked") << "A" << QStringList({"A", "B"}) << QStringList() << "未选定餐桌!";
    QTest::newRow("arrived table") << "C" << QStringList() << QStringList() << "未选定餐桌!";
    QTest::newRow("only booked tomorrow") << "D" << QStringList() << QStringList() << "未选定餐桌!";
    QTest::newRow("only booked tonight") << "E" << QStringList() << QStringList() << "未选定餐桌!";
}

void TestTableOpening::reservationChoice()
{
    QFETCH(QString, table);
    QFETCH(QStringList, offered);
    QFETCH(QStringList, ticked);
    QFETCH(QString, message);
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E"});
    r.occupy("B", Restaurant::kNow);
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 5, 7));
    r.book("cancelled", "A", 1, at, "取消");
    for (const char* name : {"A", "B"})
        r.book("live", QLatin1String(name), 1, at);
    r.book("live", "C", 1, at, "到达");
    r.book("tomorrow", "A", 1, at.addDays(1));
    r.book("tomorrow", "D", 1, at.addDays(1));
    r.book("tonight", "A", 2, at.addSecs(5 * 3600));
    r.book("tonight", "E", 2, at.addSecs(5 * 3600));

    ReservationChoice choice(t.db, table);
    const QList<ReservationChoice::Row> rows = choice.rows();
    QCOMPARE(tablesOf(rows), offered);
    if (!rows.isEmpty()) {
        const ReservationChoice::Row& a = rows.first();
        QCOMPARE(QStringList({a.guest, a.room, a.deposit, a.phone, a.mobile, a.arrival, a.holdUntil, a.note}),
                 QStringList({"张先生", "大厅", "100.00", "6612345", "13800000000", "2026-12-06 13:05:07",
                              "13:35:07", "靠窗"}));
    }
    QList<ReservationChoice::Row> chosen;
    for (const ReservationChoice::Row& row : rows)
        if (ticked.contains(row.table))
            chosen << row;
    QCOMPARE(choice.accept(chosen), message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(choice.tables(), message.isEmpty() ? ticked : QStringList());
    QCOMPARE(choice.ids().size(), choice.tables().size());
}

void TestTableOpening::openReservedTablesAsAGroup()
{
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C"});
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 0));
    const int a = r.book("20261202080000", "A", 1, at);
    const int b = r.book("20261202080000", "B", 1, at);
    TableOpening opening(t.db);
    ReservationChoice choice(t.db, QStringLiteral("A"));
    QVERIFY(choice.accept(choice.rows()));
    const TableOpening::Plan group = opening.planReserved(choice.tables(), choice.ids());
    QCOMPARE(group.reservations, QList<int>({a, b}));
    QCOMPARE(opening.open(group, 5, group.note, 0), QStringLiteral("20261206123000"));
    QCOMPARE(t.scalar("select group_concat(zt) from yd"), QStringLiteral("到达,到达"));
    QCOMPARE(t.scalar("select group_concat(czm||zdbj||bz) from dj"),
             QStringLiteral("Ay团体开单:A,B,Bn团体开单:A,B"));
    QCOMPARE(tableRow(t, "C"), QStringLiteral("空闲||||||"));
}

// 修改登记 changes guests, note and waiter of the table's open registration, and the table's
// guests; arrival, consumption, the table's note and the group's other tables stay.
void TestTableOpening::changeRegistration()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B"});
    TableOpening opening(t.db);
    const QString number = opening.open(opening.planReserved({"A", "B"}, {}), 2, QStringLiteral("靠窗"), 1);
    r.line("A", "米饭", 1, 2);
    const auto before = opening.registration(QStringLiteral("A"));
    QCOMPARE(QStringList({QString::number(before->guests), before->note, QString::number(before->waiter)}),
             QStringList({"2", "靠窗", "1"}));
    QVERIFY(!opening.registration(QStringLiteral("C")));

    Clock::setFixed(Restaurant::kNow.addSecs(3600));
    QVERIFY(opening.change(QStringLiteral("A"), 5, QStringLiteral("生日'宴"), 2));
    QCOMPARE(registrationOf(t, "A"),
             number + " A 大厅 5 占用 " + number + " y 生日'宴 2 2026-12-06 12:30:00");
    QCOMPARE(tableRow(t, "A"), QStringLiteral("占用|2026-12-06 12:30:00|5||||靠窗"));
    QCOMPARE(t.scalar("select xfhj from cz where czm='A'") + t.scalar("select xfhj from dj where czm='A'"),
             QStringLiteral("22"));
    QCOMPARE(t.scalar("select rs from dj where czm='B'"), QStringLiteral("2"));

    // The registration query's waiter dialog sets one registration's waiter.
    QVERIFY(opening.setWaiter(number + "1", 3));
    QCOMPARE(t.scalar("select group_concat(fws) from dj"), QStringLiteral("2,3"));

    t.exec("create trigger refuse before update on cz begin select raise(abort,'x'); end");
    QVERIFY(!opening.change(QStringLiteral("A"), 9, QStringLiteral("新备注"), 0));
    QCOMPARE(t.prompt.texts(), QStringList({"修改登记发生异常,修改失败!"}));
    QCOMPARE(t.scalar("select rs||bz from dj where czm='A'"), QStringLiteral("5生日'宴"));
}

PELVAR_TEST(TestTableOpening)
#include "tst_TableOpening.moc"
