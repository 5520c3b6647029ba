#include "Clock.h"
#include "Restaurant.h"
#include "RoomSummary.h"
#include "TestMain.h"

#include <QTest>

class TestRoomSummary : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
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
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Restaurant(t).table(QLatin1String(name));
    const QDateTime today(QDate(2026, 12, 6), QTime(13, 0));
    Restaurant(t).occupy(QStringLiteral("A"), Restaurant::kNow);
    Restaurant(t).occupy(QStringLiteral("B"), Restaurant::kNow);
    Restaurant(t).book(QStringLiteral("1"), QStringLiteral("B"), 1, today);
    Restaurant(t).book(QStringLiteral("2"), QStringLiteral("C"), 1, today);
    Restaurant(t).book(QStringLiteral("3"), QStringLiteral("D"), 1, today.addDays(1));
    Restaurant(t).book(QStringLiteral("4"), QStringLiteral("E"), 2, today.addSecs(5 * 3600));

    RoomSummary summary(t.db);
    QCOMPARE(texts(summary.counts()), QStringList({"6", "2", "3", "1", "50.00%"}));
}

// The counts take the shift from the time of day: at 17:00 the evening booking counts.
void TestRoomSummary::countsFollowTheTimeOfDay()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    Restaurant(t).book(QStringLiteral("1"), QStringLiteral("A"), 2,
                       QDateTime(QDate(2026, 12, 6), QTime(18, 0)));
    RoomSummary summary(t.db);
    QCOMPARE(texts(summary.counts()), QStringList({"3", "0", "3", "0", "0.00%"}));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(17, 0)));
    QCOMPARE(texts(summary.counts()), QStringList({"3", "0", "2", "1", "33.33%"}));
}

void TestRoomSummary::restaurantAndRooms()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set gsmc='老街小馆'"));
    Restaurant(t).room(QStringLiteral("雅间"));
    Restaurant(t).room(QStringLiteral("大厅"));
    Restaurant(t).room(QStringLiteral("包房"));
    RoomSummary summary(t.db);
    QCOMPARE(summary.restaurantName(), QStringLiteral("老街小馆"));
    QCOMPARE(summary.rooms(), QStringList({"雅间", "大厅", "包房"}));
}

void TestRoomSummary::noteStamp()
{
    QCOMPARE(RoomSummary::noteStamp(), QStringLiteral("---2026-12-06 12:30:00---\r\n"));
}

PELVAR_TEST(TestRoomSummary)
#include "tst_RoomSummary.moc"
