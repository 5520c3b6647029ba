#include "Booking.h"
#include "BookingList.h"
#include "FixedClockTest.h"
#include "MessageBoxPrompt.h"
#include "ModalDialogs.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QLabel>
#include <QTest>

namespace {

const QDate kToday(2026, 12, 6); // the day of Restaurant::kNow, 12:30 in 午市 (shift 1)

// A1, A2 and A3 in 大厅, B1 in 雅间; A2 occupied. "lunch" books A3 for 午市 today; "gone" booked
// A1 for it, but is cancelled.
void floor(TestDatabase& t)
{
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A1", "A2", "A3"});
    r.table(QStringLiteral("B1"), QStringLiteral("雅间"));
    r.occupy(QStringLiteral("A2"), Restaurant::kNow);
    r.book(QStringLiteral("lunch"), QStringLiteral("A3"), 1, QDateTime(kToday, QTime(13, 0)));
    r.book(QStringLiteral("gone"), QStringLiteral("A1"), 1, QDateTime(kToday, QTime(13, 0)),
           QStringLiteral("取消"));
}

// 张先生 holds A1 for a shift (its index, -1 for none) at a time of today.
Booking::Entry entry(TestDatabase& t, int shift, const QTime& at)
{
    Booking::Entry e;
    e.shift = BusinessShifts(t.db).list().value(shift);
    e.arrival = e.holdUntil = QDateTime(kToday, at);
    e.guest = QStringLiteral("张先生");
    e.phone = QStringLiteral("6612345");
    e.deposit = QStringLiteral("200");
    e.tables = {{QStringLiteral("大厅"), QStringLiteral("A1")}};
    return e;
}

} // namespace

class TestBookings : public FixedClockTest
{
    Q_OBJECT
private slots:
    void freeTables_data();
    void freeTables();
    void arrivalChecks_data();
    void arrivalChecks();
    void depositAndTables_data();
    void depositAndTables();
    void numbersAndModification();
    void modificationKeepsCancelledTables_data();
    void modificationKeepsCancelledTables();
    void cancelAndRestore_data();
    void cancelAndRestore();
    void escapeActsOnNothing_data();
    void escapeActsOnNothing();
};

void TestBookings::freeTables_data()
{
    QTest::addColumn<int>("day");        // of 午市: 0 today, 1 tomorrow
    QTest::addColumn<QString>("number"); // of the booking being modified
    QTest::addColumn<QString>("tables");
    QTest::newRow("午市 begun: no occupied") << 0 << QString() << "大厅A1 雅间B1";
    QTest::newRow("午市 tomorrow") << 1 << QString() << "大厅A1 大厅A2 大厅A3 雅间B1";
    QTest::newRow("modifying 午市's") << 0 << QStringLiteral("lunch") << "大厅A1 大厅A3 雅间B1";
}

void TestBookings::freeTables()
{
    QFETCH(int, day);
    QFETCH(QString, number);
    QFETCH(QString, tables);
    TestDatabase t;
    floor(t);
    QStringList offered;
    const QDateTime start(kToday.addDays(day), QTime(10, 0));
    for (const Booking::Table& table : Booking(t.db).freeTables(1, start, number))
        offered << table.room + table.name;
    QCOMPARE(offered.join(' '), tables);
}

// The arrival against now and against the shift (晚市 15:00:00-20:59:59 unless 午市 is named).
void TestBookings::arrivalChecks_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<QTime>("at");
    QTest::addColumn<QString>("message");
    const QString early = QStringLiteral("预抵时间错误,不能小于或等于当前时间,请重新输入!");
    const QString outside = QStringLiteral("预抵时间不在所选的预订时段,请重新输入!");
    QTest::newRow("no shifts set up")
        << -1 << QTime(18, 0) << QStringLiteral("还没有营业班次,请先在系统设置中设置营业班次!");
    QTest::newRow("午市, now") << 0 << QTime(12, 30) << early;
    QTest::newRow("午市, a second later") << 0 << QTime(12, 30, 1) << QString();
    QTest::newRow("at the start") << 1 << QTime(15, 0) << QString();
    QTest::newRow("at the end") << 1 << QTime(20, 59, 59) << QString();
    QTest::newRow("a second before") << 1 << QTime(14, 59, 59) << outside;
    QTest::newRow("a second after") << 1 << QTime(21, 0) << outside;
}

void TestBookings::arrivalChecks()
{
    QFETCH(int, shift);
    QFETCH(QTime, at);
    QFETCH(QString, message);
    TestDatabase t;
    floor(t);
    Booking::Entry e = entry(t, shift, at);
    QCOMPARE(bool(Booking(t.db).save(e, QStringLiteral("李四"))), message.isEmpty());
    QCOMPARE(t.prompt.texts().join('|'), message);
    QCOMPARE(t.scalar("select count(*) from yd"), message.isEmpty() ? "3" : "2");
}

// 张先生 books a table for 午市 at 13:30 with a deposit; "lunch" holds A3 for it already, booked
// after the tables were offered (or at another terminal).
void TestBookings::depositAndTables_data()
{
    QTest::addColumn<QString>("deposit");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message"); // or, saved, the deposit stored
    const QString wrong = QStringLiteral("预订押金输入错误,请重新输入!");
    // clang-format off
    QTest::newRow("a deposit") << "200.50" << "A1" << "200.50";
    QTest::newRow("none") << "" << "A1" << "0.00";
    QTest::newRow("a point") << "." << "A1" << wrong;
    QTest::newRow("negative") << "-5" << "A1" << wrong;
    QTest::newRow("decimal comma") << "1,5" << "A1" << wrong;
    QTest::newRow("a table booked meanwhile") << "200" << "A3"
                                              << "餐桌A3在该时段已有其他预订,请重新选择餐桌!";
    // clang-format on
}

void TestBookings::depositAndTables()
{
    QFETCH(QString, deposit);
    QFETCH(QString, table);
    QFETCH(QString, message);
    TestDatabase t;
    floor(t);
    Booking::Entry e = entry(t, 0, QTime(13, 30));
    e.deposit = deposit;
    e.tables = {{QStringLiteral("雅间"), QStringLiteral("B1")}, {QStringLiteral("大厅"), table}};
    const bool saved = bool(Booking(t.db).save(e, QStringLiteral("李四")));
    QCOMPARE(saved ? t.scalar("select printf('%.2f',min(yj)) from yd where ydbh not in ('lunch','gone') "
                              "having count(distinct yj)=1")
                   : t.prompt.texts().join('|') + t.scalar("select count(*) from yd"),
             saved ? message : message + "2");
}

// Two bookings saved within one second keep apart; modifying one keeps its number, replaces its
// tables and takes the operator who modified it.
void TestBookings::numbersAndModification()
{
    TestDatabase t;
    floor(t);
    Booking booking(t.db);
    Booking::Entry first = entry(t, 1, QTime(18, 0)), second = entry(t, 1, QTime(18, 0));
    second.tables = {{QStringLiteral("雅间"), QStringLiteral("B1")}};
    QVERIFY(booking.save(first, QStringLiteral("李四")) && booking.save(second, QStringLiteral("李四")));
    QCOMPARE(first.number + ' ' + second.number, "20261206123000 20261206123001");
    const QString rows = "select group_concat(ydbh||khxm||lxdh||fjmc||czmc||zt||ydsj||qxsj||yj||czy||yybcbh) "
                         "from yd where ydbh='20261206123000'";
    QCOMPARE(t.scalar(rows),
             "20261206123000张先生6612345大厅A1已订2026-12-06 18:00:002026-12-06 18:00:00200李四2");
    Booking::Entry again = booking.read(first.number).value();
    again.shift = first.shift; // as the dialog finds it among the shifts
    again.tables = {{QStringLiteral("大厅"), QStringLiteral("A2")},
                    {QStringLiteral("大厅"), QStringLiteral("A3")}};
    QVERIFY(booking.save(again, QStringLiteral("王五")));
    QCOMPARE(t.scalar("select group_concat(ydbh||czmc||zt||czy) from yd where yybcbh=2"),
             "20261206123001B1已订李四,20261206123000A2已订王五,20261206123000A3已订王五");
}

void TestBookings::modificationKeepsCancelledTables_data()
{
    QTest::addColumn<QStringList>("tables"); // chosen in the modification
    QTest::addColumn<QString>("rows");
    // A3 was cancelled alone: it stays cancelled, following the booking's new guest and time.
    QTest::newRow("other tables") << QStringList{"A1", "B1"}
                                  << "A3取消李女士19:00,A1已订李女士19:00,B1已订李女士19:00";
    // Booked again, it is one booked row, not a booked and a cancelled one.
    QTest::newRow("the cancelled table again") << QStringList{"A3"} << "A3已订李女士19:00";
}

void TestBookings::modificationKeepsCancelledTables()
{
    QFETCH(QStringList, tables);
    TestDatabase t;
    floor(t);
    Restaurant r(t);
    for (const char* table : {"A1", "A2", "A3"})
        r.book(QStringLiteral("dinner"), QLatin1String(table), 2, QDateTime(kToday, QTime(18, 0)),
               table == QByteArray("A3") ? QStringLiteral("取消") : QStringLiteral("已订"));
    Booking booking(t.db);
    Booking::Entry e = booking.read(QStringLiteral("dinner")).value();
    QCOMPARE(e.tables.size(), 2); // the dialog offers the booked tables alone
    e.shift = BusinessShifts(t.db).list().value(1);
    e.guest = QStringLiteral("李女士");
    e.arrival = e.holdUntil = QDateTime(kToday, QTime(19, 0));
    e.tables.clear();
    for (const QString& table : tables)
        e.tables << Booking::Table{QStringLiteral("大厅"), table};
    QVERIFY(booking.save(e, QStringLiteral("王五")));
    QTEST(t.scalar("select group_concat(czmc||zt||khxm||substr(ydsj,12,5)) from "
                   "(select * from yd where ydbh='dinner' order by id)"),
          "rows");
}

// "dinner" holds A1, A2 and A3 for today's 晚市. Steps on a table's row, answered yes or no; "other"
// books A2 under another number for 晚市 today (0) or tomorrow (1).
void TestBookings::cancelAndRestore_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("outcome"); // the states, and the refusal of the last step
    const auto row = [](const char* tag, const char* steps, const char* outcome) {
        QTest::newRow(tag) << QString::fromUtf8(steps) << QString::fromUtf8(outcome);
    };
    row("cancel one, restore all", "cancel A2 no,restore A2 yes", "A1已订,A2已订,A3已订");
    row("cancel called off", "cancel A2 cancel", "A1已订,A2已订,A3已订");
    row("restore called off", "cancel A1 yes,restore A2 cancel", "A1取消,A2取消,A3取消");
    row("restore all, A2 booked again", "cancel A1 yes,other 0,restore A1 yes",
        "A1取消,A2取消,A3取消|餐桌A2在该时段已有其他预订,不能恢复!");
    row("restore A3 alone", "cancel A1 yes,other 0,restore A3 no", "A1取消,A2取消,A3已订");
    row("A2 booked tomorrow", "cancel A1 yes,other 1,restore A1 yes", "A1已订,A2已订,A3已订");
    // A table cancelled alone leaves the rest of the booking open to changes; an arrival closes it.
    row("modify with a cancelled row", "cancel A3 no,modify A1", "A1已订,A2已订,A3取消");
    row("modify after an arrival", "cancel A3 no,arrive A2,modify A1",
        "A1已订,A2到达,A3取消|该预订已有到达的预订,不能执行'修改'操作!");
    row("modify with every table cancelled", "cancel A3 yes,modify A1",
        "A1取消,A2取消,A3取消|该预订的餐桌都已取消,不能执行'修改'操作!");
}

void TestBookings::cancelAndRestore()
{
    QFETCH(QString, steps);
    QFETCH(QString, outcome);
    const QString refusal = outcome.section('|', 1);
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    const QDateTime at(kToday, QTime(18, 0));
    for (const char* table : {"A1", "A2", "A3"})
        r.book(QStringLiteral("dinner"), QLatin1String(table), 2, at);
    BookingList list(t.db);
    for (const QString& step : steps.split(',')) {
        const QStringList a = step.split(' ');
        if (a.at(0) == "other") {
            r.book(QStringLiteral("other"), QStringLiteral("A2"), 2, at.addDays(a.at(1).toInt()));
            continue;
        }
        if (a.at(0) == "arrive") {
            t.exec("update yd set zt='到达' where czmc='" + a.at(1) + "'");
            continue;
        }
        QStringList row;
        for (const QStringList& listed : list.query({at, at, QStringLiteral("全部"), true, a.at(1)}))
            if (listed.at(BookingList::Number) == "dinner")
                row = listed;
        t.prompt.answer(a.value(2) == "yes"  ? Prompt::Answer::Yes
                        : a.value(2) == "no" ? Prompt::Answer::No
                                             : Prompt::Answer::Cancel);
        QCOMPARE(a.at(0) == "cancel"    ? list.cancel(row)
                 : a.at(0) == "restore" ? list.restore(row)
                                        : list.mayModify(row),
                 (refusal.isEmpty() && a.value(2) != "cancel") || step != steps.section(',', -1));
    }
    const QStringList states{t.scalar("select group_concat(czmc||zt) from yd where ydbh='dinner'")};
    QCOMPARE((states + t.prompt.texts().filter(QStringLiteral("不能"))).join('|'), outcome);
}

void TestBookings::escapeActsOnNothing_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("cancel") << false;
    QTest::newRow("restore") << true;
}

// The question of cancelling or restoring a booking's tables has no harmless 是 or 否: Esc on the
// real message box must leave every table as it was.
void TestBookings::escapeActsOnNothing()
{
    QFETCH(bool, restore);
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    const QDateTime at(kToday, QTime(18, 0));
    const QString state = restore ? QStringLiteral("取消") : QStringLiteral("已订");
    for (const char* table : {"A1", "A2"})
        r.book(QStringLiteral("dinner"), QLatin1String(table), 2, at, state);
    MessageBoxPrompt boxes;
    Database db(boxes);
    db.open(t.location());
    BookingList list(db);
    const QStringList row = list.query({at, at, QStringLiteral("全部"), true, QStringLiteral("A2")}).value(0);
    QCOMPARE(row.value(BookingList::Table), "A2");
    QCOMPARE(row.value(BookingList::Deposit), "100.00"); // money as every list shows it
    QString question;
    whenModal([&question](QWidget* box) {
        question = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QVERIFY(!(restore ? list.restore(row) : list.cancel(row)));
    QVERIFY(question.contains(QStringLiteral("选择'否'将只")));
    QCOMPARE(t.scalar("select group_concat(czmc||zt) from yd where ydbh='dinner'"),
             "A1" + state + ",A2" + state);
}

PELVAR_TEST(TestBookings)
#include "tst_Bookings.moc"
