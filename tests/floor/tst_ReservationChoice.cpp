#include "Clock.h"
#include "ReservationChoice.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

static QStringList tablesOf(const QList<ReservationChoice::Row>& rows)
{
    QStringList out;
    for (const ReservationChoice::Row& r : rows)
        out << r.table;
    return out;
}

class TestReservationChoice : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void rowsOfTheLiveBooking_data();
    void rowsOfTheLiveBooking();
    void columnsOfARow();
    void accept();
};

// Table A belongs to booking "live" (A, B, C; C already arrived) for shift 1 today. Other rows
// of A: a cancelled booking for the same shift and day, a booking for tomorrow, one for shift 2.
void TestReservationChoice::rowsOfTheLiveBooking_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("A") << "A" << QStringList({"A", "B"});
    QTest::newRow("B") << "B" << QStringList({"A", "B"});
    QTest::newRow("arrived table") << "C" << QStringList();
    QTest::newRow("only booked tomorrow") << "D" << QStringList();
    QTest::newRow("only booked tonight") << "E" << QStringList();
}

void TestReservationChoice::rowsOfTheLiveBooking()
{
    QFETCH(QString, table);
    QFETCH(QStringList, tables);
    TestDatabase t;
    Restaurant(t).shifts();
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 0));
    Restaurant(t).book("20261201000000", "A", 1, at, "取消");
    Restaurant(t).book("20261202000000", "A", 1, at);
    Restaurant(t).book("20261202000000", "B", 1, at);
    Restaurant(t).book("20261202000000", "C", 1, at, "到达");
    Restaurant(t).book("20261203000000", "A", 1, at.addDays(1));
    Restaurant(t).book("20261203000000", "D", 1, at.addDays(1));
    Restaurant(t).book("20261204000000", "A", 2, at.addSecs(5 * 3600));
    Restaurant(t).book("20261204000000", "E", 2, at.addSecs(5 * 3600));

    ReservationChoice choice(t.db, table);
    QCOMPARE(tablesOf(choice.rows()), tables);
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestReservationChoice::columnsOfARow()
{
    TestDatabase t;
    Restaurant(t).shifts();
    const int id =
        Restaurant(t).book("20261202000000", "A", 1, QDateTime(QDate(2026, 12, 6), QTime(13, 5, 7)));
    ReservationChoice choice(t.db, QStringLiteral("A"));
    const QList<ReservationChoice::Row> rows = choice.rows();
    QCOMPARE(rows.size(), 1);
    const ReservationChoice::Row& r = rows.first();
    QCOMPARE(r.id, id);
    QCOMPARE(
        QStringList({r.guest, r.room, r.table, r.deposit, r.phone, r.mobile, r.arrival, r.holdUntil, r.note}),
        QStringList({"张先生", "大厅", "A", "100", "6612345", "13800000000", "2026-12-06 13:05:07",
                     "13:35:07", "靠窗"}));
}

void TestReservationChoice::accept()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 0));
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).book("20261202000000", QLatin1String(name), 1, at);
    Restaurant(t).occupy(QStringLiteral("B"), Restaurant::kNow);
    ReservationChoice choice(t.db, QStringLiteral("A"));
    const QList<ReservationChoice::Row> rows = choice.rows();
    QCOMPARE(rows.size(), 3);

    QVERIFY(!choice.accept(rows));
    QCOMPARE(t.prompt.texts(), QStringList({"餐桌:B正在使用,请取消该餐桌!"}));
    QVERIFY(choice.tables().isEmpty());

    t.prompt.clear();
    QVERIFY(!choice.accept({}));
    QCOMPARE(t.prompt.texts(), QStringList({"未选定餐桌!"}));

    t.prompt.clear();
    QVERIFY(choice.accept({rows.at(2), rows.at(0)}));
    QVERIFY(t.prompt.texts().isEmpty());
    QCOMPARE(choice.tables(), QStringList({"C", "A"}));
    QCOMPARE(choice.ids(), QList<int>({rows.at(2).id, rows.at(0).id}));
}

PELVAR_TEST(TestReservationChoice)
#include "tst_ReservationChoice.moc"
