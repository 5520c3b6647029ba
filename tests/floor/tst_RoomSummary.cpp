#include "Clock.h"
#include "FloorFixture.h"
#include "RoomSummary.h"

#include <QTest>

class TestRoomSummary : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Floor::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void emptyRestaurant();
    void counts();
    void countsFollowTheTimeOfDay();
    void restaurantAndRooms();
    void noteStamp();
};

static QStringList texts(const RoomSummary::Counts& c)
{
    return {QString::number(c.total), QString::number(c.occupied), QString::number(c.available),
            QString::number(c.reserved), c.rate};
}

void TestRoomSummary::emptyRestaurant()
{
    TestDatabase t;
    RoomSummary summary(t.db);
    QCOMPARE(texts(summary.counts()), QStringList({"0", "0", "0", "0", "100%"}));
    QVERIFY(t.prompt.texts().isEmpty());
}

// Six tables: two occupied (one of them also booked), one booked for now, one booked tomorrow,
// one booked for the evening, one free.
void TestRoomSummary::counts()
{
    TestDatabase t;
    Floor::addShifts(t);
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Floor::addTable(t, QLatin1String(name));
    const QDateTime today(QDate(2026, 12, 6), QTime(13, 0));
    Floor::occupy(t, QStringLiteral("A"), Floor::kNow);
    Floor::occupy(t, QStringLiteral("B"), Floor::kNow);
    Floor::book(t, QStringLiteral("1"), QStringLiteral("B"), 1, today);
    Floor::book(t, QStringLiteral("2"), QStringLiteral("C"), 1, today);
    Floor::book(t, QStringLiteral("3"), QStringLiteral("D"), 1, today.addDays(1));
    Floor::book(t, QStringLiteral("4"), QStringLiteral("E"), 2, today.addSecs(5 * 3600));

    RoomSummary summary(t.db);
    QCOMPARE(texts(summary.counts()), QStringList({"6", "2", "3", "1", "50.00%"}));
}

// The counts take the shift from the time of day: at 17:00 the evening booking counts.
void TestRoomSummary::countsFollowTheTimeOfDay()
{
    TestDatabase t;
    Floor::addShifts(t);
    for (const char* name : {"A", "B", "C"})
        Floor::addTable(t, QLatin1String(name));
    Floor::book(t, QStringLiteral("1"), QStringLiteral("A"), 2, QDateTime(QDate(2026, 12, 6), QTime(18, 0)));
    RoomSummary summary(t.db);
    QCOMPARE(texts(summary.counts()), QStringList({"3", "0", "3", "0", "0.00%"}));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(17, 0)));
    QCOMPARE(texts(summary.counts()), QStringList({"3", "0", "2", "1", "33.33%"}));
}

void TestRoomSummary::restaurantAndRooms()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set gsmc='老街小馆'"));
    Floor::addRoom(t, QStringLiteral("雅间"));
    Floor::addRoom(t, QStringLiteral("大厅"));
    Floor::addRoom(t, QStringLiteral("包房"));
    RoomSummary summary(t.db);
    QCOMPARE(summary.restaurantName(), QStringLiteral("老街小馆"));
    QCOMPARE(summary.rooms(), QStringList({"雅间", "大厅", "包房"}));
}

void TestRoomSummary::noteStamp()
{
    QCOMPARE(RoomSummary::noteStamp(), QStringLiteral("---2026-12-06 12:30:00---\r\n"));
}

QTEST_GUILESS_MAIN(TestRoomSummary)
#include "tst_RoomSummary.moc"
