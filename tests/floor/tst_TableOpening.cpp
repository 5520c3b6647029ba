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

// The registrations as "djbh czm fjm rs zdbh zdbj bz fws jdsj", the tables as "zyzt jdsj yzrs bz",
// of the given tables in order of number; the customer columns of a table opened are emptied.
QString rows(TestDatabase& t, const QString& tables)
{
    return t.scalar("select group_concat(djbh||' '||czm||' '||fjm||' '||rs||' '||zdbh||' '||zdbj||' '||bz||' "
                    "'||fws"
                    "||' '||jdsj, ';') from (select * from dj where czm in(" +
                    tables + ") order by djbh)") +
           " / " +
           t.scalar("select group_concat(zyzt||' '||jdsj||' '||yzrs||' '||bz||gkxm||gkdh||gksj, ';') from "
                    "(select * "
                    "from cz where czm in(" +
                    tables + ") order by id)");
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
    void openAloneOrAsAGroup();
    void openingsWithinOneSecond();
    void tableOpenedMeanwhileIsRefused();
    void failureAfterTheFirstInsertLeavesNothing();
    void reservationChoice_data();
    void reservationChoice();
    void changeRegistration();
};

// The checks before the dialog, on the states of the selected tables A, B, C...; then the
// guests typed in it.
void TestTableOpening::plan_data()
{
    QTest::addColumn<QString>("selected"); // o occupied, f free, r reserved; "-" without the right
    QTest::addColumn<QString>("outcome");  // the message, or the plan's note; "?" for the choice
    QTest::newRow("no right") << "-f" << QStringLiteral("你没有此操作权限!");
    QTest::newRow("nothing selected") << "" << QStringLiteral("请选定餐桌!");
    QTest::newRow("first occupied") << "of" << QStringLiteral("此餐桌已被占用!");
    QTest::newRow("another occupied") << "fo" << QStringLiteral("此餐桌正在使用!");
    QTest::newRow("one free table") << "f" << QString();
    QTest::newRow("a group") << "ffr" << QStringLiteral("团体开单:A,B,C");
    QTest::newRow("reserved first") << "rf" << QStringLiteral("?");
}

void TestTableOpening::plan()
{
    QFETCH(QString, selected);
    QFETCH(QString, outcome);
    TestDatabase t;
    QList<TableBoard::Item> items;
    QStringList names;
    for (const QChar c : QString(selected).remove(QLatin1Char('-'))) {
        names << QString(QChar(u'A' + int(items.size())));
        items << item(names.last(), c == 'o'   ? TableBoard::State::Occupied
                                    : c == 'r' ? TableBoard::State::Reserved
                                               : TableBoard::State::Free);
    }
    TableOpening opening(t.db);
    const auto plan = opening.plan(!selected.startsWith('-'), items);
    QCOMPARE(bool(plan), t.prompt.texts().isEmpty());
    if (plan) {
        QCOMPARE(plan->needsReservationChoice ? QStringLiteral("?") : plan->note, outcome);
        QCOMPARE(plan->tables, plan->needsReservationChoice ? names.mid(0, 1) : names);
    } else {
        QCOMPARE(t.prompt.texts(), QStringList{outcome});
    }
    for (const char* text : {"0", "1001", "-3", "", "4人", "1.5"})
        QVERIFY(!opening.guests(QString::fromUtf8(text)));
    QCOMPARE(opening.guests(QStringLiteral("1")).value_or(0) +
                 opening.guests(QStringLiteral(" 1000 ")).value_or(0),
             1001);
    QCOMPARE(t.prompt.texts().count(QStringLiteral("顾客人数必须是1到1000之间的整数!")), 6);
}

// Alone, a table is its own main table; a group's tables take the main number followed by their
// place, in the order of selection. Quotes are stored as typed.
void TestTableOpening::openAloneOrAsAGroup()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "C", "D", "E"});
    r.table(QStringLiteral("B"), QStringLiteral("雅间"));
    t.exec("update cz set gkxm='旧客',gkdh='123',gksj='x' where czm='E'");
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"E"}, {}), 4, QStringLiteral("O'Neil"), 7), "20261206123000");
    QCOMPARE(rows(t, "'E'"), "20261206123000 E 大厅 4 20261206123000 y O'Neil 7 2026-12-06 12:30:00 / "
                             "占用 2026-12-06 12:30:00 4 O'Neil");
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    const auto plan = opening.plan(true, {item("C"), item("A"), item("B")});
    QCOMPARE(opening.open(*plan, 6, plan->note, 0), "20261206123100");
    const QString rest = QStringLiteral(" 6 20261206123100 ");
    const QString note = QStringLiteral(" 团体开单:C,A,B 0 2026-12-06 12:31:00");
    const QString table = QStringLiteral("占用 2026-12-06 12:31:00 6 团体开单:C,A,B");
    QCOMPARE(rows(t, "'A','B','C','D'"), "20261206123100 C 大厅" + rest + "y" + note + ";20261206123100" +
                                             "1 A 大厅" + rest + "n" + note + ";202612061231002 B 雅间" +
                                             rest + "n" + note + " / " + table + ";" + table + ";空闲   ;" +
                                             table);
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
    QCOMPARE(open({"A", "B", "C"}) + open({"D"}) + open({"E", "F"}),
             "202612061230002026120612300120261206123002");
    QCOMPARE(t.scalar("select djbh||' '||zdbh from dj where czm='F'"), "202612061230021 20261206123002");
    // A later second that is still free is the opening time itself.
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    t.exec("delete from dj where czm='D'");
    t.exec("update cz set zyzt='空闲' where czm='D'");
    QCOMPARE(open({"D"}), "20261206123100");
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
    QCOMPARE(t.scalar("select group_concat(czm) from dj") + t.scalar("select zyzt from cz where czm='A'"),
             "B空闲");
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
             "00已订");
}

// Table A belongs to booking "live" (A, B, C; C arrived, B occupied) for shift 1 today. Other
// rows of A: a cancelled booking for the same shift and day, one for tomorrow, one for shift 2.
// The tables ticked in the choice open as one group and their rows are marked arrived.
void TestTableOpening::reservationChoice_data()
{
    QTest::addColumn<QString>("choice"); // the reserved table; the tables offered; those ticked
    QTest::addColumn<QString>("message");
    QTest::newRow("A, B occupied") << "A AB AB" << QStringLiteral("餐桌:B正在使用,请取消该餐桌!");
    QTest::newRow("B, A ticked") << "B AB A" << QString();
    QTest::newRow("B, B freed, both ticked") << "B AB AB" << QString();
    QTest::newRow("none ticked") << "A AB -" << QStringLiteral("未选定餐桌!");
    QTest::newRow("arrived table") << "C - -" << QStringLiteral("未选定餐桌!");
    QTest::newRow("only booked tomorrow") << "D - -" << QStringLiteral("未选定餐桌!");
    QTest::newRow("only booked tonight") << "E - -" << QStringLiteral("未选定餐桌!");
}

void TestTableOpening::reservationChoice()
{
    QFETCH(QString, choice);
    QFETCH(QString, message);
    const QStringList a = choice.split(QLatin1Char(' '));
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E"});
    if (!QByteArray(QTest::currentDataTag()).contains("freed"))
        r.occupy("B", Restaurant::kNow);
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 5, 7));
    r.book("cancelled", "A", 1, at, "取消");
    r.book("live", "A", 1, at);
    r.book("live", "B", 1, at);
    r.book("live", "C", 1, at, "到达");
    r.book("tomorrow", "A", 1, at.addDays(1));
    r.book("tomorrow", "D", 1, at.addDays(1));
    r.book("tonight", "A", 2, at.addSecs(5 * 3600));
    r.book("tonight", "E", 2, at.addSecs(5 * 3600));

    ReservationChoice reservations(t.db, a.at(0));
    QString offered;
    QList<ReservationChoice::Row> ticked;
    for (const ReservationChoice::Row& row : reservations.rows()) {
        offered += row.table;
        if (a.at(2).contains(row.table))
            ticked << row;
    }
    QCOMPARE(offered.isEmpty() ? "-" : offered, a.at(1));
    if (a.at(0) == QLatin1String("A")) {
        const ReservationChoice::Row& row = reservations.rows().first();
        QCOMPARE(QStringList({row.guest, row.room, row.deposit, row.phone, row.mobile, row.arrival,
                              row.holdUntil, row.note})
                     .join(' '),
                 "张先生 大厅 100.00 6612345 13800000000 2026-12-06 13:05:07 13:35:07 靠窗");
    }
    QCOMPARE(reservations.accept(ticked), message.isEmpty());
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        return;
    TableOpening opening(t.db);
    const TableOpening::Plan group = opening.planReserved(reservations.tables(), reservations.ids());
    QVERIFY(!opening.open(group, 5, group.note, 0).isEmpty());
    QCOMPARE(t.scalar("select group_concat(czm||zdbj||bz) from dj"),
             a.at(2) == QLatin1String("A") ? "Ay" : "Ay团体开单:A,B,Bn团体开单:A,B");
    QCOMPARE(t.scalar("select group_concat(czmc||zt) from yd where ydbh='live'"),
             a.at(2) == QLatin1String("A") ? "A到达,B已订,C到达" : "A到达,B到达,C到达");
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
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(before->guests).arg(before->note).arg(before->waiter),
             "2 靠窗 1");
    QVERIFY(!opening.registration(QStringLiteral("C")));
    Clock::setFixed(Restaurant::kNow.addSecs(3600));
    QVERIFY(opening.change(QStringLiteral("A"), 5, QStringLiteral("生日'宴"), 2));
    // The registration query's waiter dialog sets one registration's waiter.
    QVERIFY(opening.setWaiter(number + "1", 3));
    QCOMPARE(rows(t, "'A','B'"), number + " A 大厅 5 " + number + " y 生日'宴 2 2026-12-06 12:30:00;" +
                                     number + "1 B 大厅 2 " + number +
                                     " n 靠窗 3 2026-12-06 12:30:00 / 占用 2026-12-06 "
                                     "12:30:00 5 靠窗;占用 2026-12-06 12:30:00 2 靠窗");
    QCOMPARE(t.scalar("select xfhj from cz where czm='A'") + t.scalar("select xfhj from dj where czm='A'"),
             "22");

    t.exec("create trigger refuse before update on cz begin select raise(abort,'x'); end");
    QVERIFY(!opening.change(QStringLiteral("A"), 9, QStringLiteral("新备注"), 0));
    QCOMPARE(t.prompt.texts(), QStringList({"修改登记发生异常,修改失败!"}));
    QCOMPARE(t.scalar("select rs||bz from dj where czm='A'"), QStringLiteral("5生日'宴"));
}

PELVAR_TEST(TestTableOpening)
#include "tst_TableOpening.moc"
