#include "BusinessShifts.h"
#include "Clock.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Shift = BusinessShifts::Shift;
using Result = BusinessShifts::Result;

namespace {

const QString kStartsInside =
    QStringLiteral("当起始时间小于已有时间段的起始时间时，结束时间不能大于于已有时间段的起始时间!");
const QString kCoversStart =
    QStringLiteral("当起始时间大于等于已有时间段的起始时间时，起始时间不能小于已有时间段的结束时间!");

Shift shift(const QString& name, const QString& start, const QString& end, int number = 0)
{
    return {number, name, QTime::fromString(start, QStringLiteral("HH:mm:ss")),
            QTime::fromString(end, QStringLiteral("HH:mm:ss"))};
}

QString rows(TestDatabase& t)
{
    return t.scalar(QStringLiteral("select group_concat(yybcbh||'|'||bcmc||'|'||qssj||'|'||jssj, ';') "
                                   "from (select * from yybc order by yybcbh)"));
}

} // namespace

Q_DECLARE_METATYPE(Result)

class TestBusinessShifts : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void addStoresTimesOnTheFixedDay();
    void addChecks_data();
    void addChecks();
    void changeDoesNotCollideWithItself();
    void changeOfAShiftThatIsGone();
    void findAndList();
    void savedShiftIsCurrentStrictlyInside_data();
    void savedShiftIsCurrentStrictlyInside();
    void remove_data();
    void remove();
    void removeWhenTheCheckFails();
};

void TestBusinessShifts::addStoresTimesOnTheFixedDay()
{
    TestDatabase t;
    BusinessShifts shifts(t.db);
    const Shift blank = BusinessShifts::blank();
    QCOMPARE(blank.number, 0);
    QCOMPARE(blank.name, QString());
    QCOMPARE(blank.start, QTime(6, 0, 0));
    QCOMPARE(blank.end, QTime(8, 59, 59));

    Shift breakfast = blank;
    breakfast.name = QStringLiteral("早餐");
    breakfast.start = QTime(6, 0, 0, 750); // the pickers' milliseconds never reach the table
    QCOMPARE(shifts.save(breakfast), Result::Saved);
    QCOMPARE(shifts.save(shift(QStringLiteral("Mary's 午餐"), QStringLiteral("09:05:03"),
                               QStringLiteral("13:00:00"))),
             Result::Saved);
    QCOMPARE(rows(t), QStringLiteral("1|早餐|2010-01-01 06:00:00|2010-01-01 08:59:59;"
                                     "2|Mary's 午餐|2010-01-01 09:05:03|2010-01-01 13:00:00"));
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestBusinessShifts::addChecks_data()
{
    QTest::addColumn<Shift>("candidate");
    QTest::addColumn<Result>("result");
    QTest::addColumn<QString>("message");

    // Against 06:00:00-08:59:59 and 09:00:00-13:00:00.
    QTest::newRow("no name") << shift(QString(), "14:00:00", "15:00:00") << Result::NameRefused
                             << QStringLiteral("请输入班次名称!");
    QTest::newRow("end before start") << shift("晚餐", "18:00:00", "17:59:59") << Result::EndRefused
                                      << QStringLiteral("结束时间不能小于起始时间!");
    QTest::newRow("start equal to end")
        << shift("晚餐", "18:00:00", "18:00:00") << Result::Saved << QString();
    QTest::newRow("overlapping the end of one")
        << shift("加餐", "08:00:00", "09:00:00") << Result::StartRefused << kCoversStart;
    // Both checks would refuse it; the one that runs first speaks.
    QTest::newRow("across two") << shift("加餐", "08:00:00", "10:00:00") << Result::EndRefused
                                << kStartsInside;
    QTest::newRow("starting at the same second")
        << shift("加餐", "09:00:00", "09:30:00") << Result::StartRefused << kCoversStart;
    QTest::newRow("inside one") << shift("加餐", "10:00:00", "11:00:00") << Result::StartRefused
                                << kCoversStart;
    QTest::newRow("running over the start of one")
        << shift("夜宵", "05:00:00", "07:00:00") << Result::EndRefused << kStartsInside;
    QTest::newRow("covering one") << shift("全天", "05:00:00", "23:00:00") << Result::EndRefused
                                  << kStartsInside;
    QTest::newRow("ending at the second one starts")
        << shift("夜宵", "05:00:00", "06:00:00") << Result::Saved << QString();
    QTest::newRow("starting at the second one ends")
        << shift("下午茶", "13:00:00", "15:00:00") << Result::Saved << QString();
    QTest::newRow("between two") << shift("加餐", "08:59:59", "09:00:00") << Result::Saved << QString();
}

void TestBusinessShifts::addChecks()
{
    QFETCH(Shift, candidate);
    QFETCH(Result, result);
    QFETCH(QString, message);

    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("早餐", "06:00:00", "08:59:59")), Result::Saved);
    QCOMPARE(shifts.save(shift("午餐", "09:00:00", "13:00:00")), Result::Saved);
    const QString before = rows(t);

    QCOMPARE(shifts.save(candidate), result);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (result == Result::Saved)
        QCOMPARE(t.scalar(QStringLiteral("select count(*) from yybc")), QStringLiteral("3"));
    else
        QCOMPARE(rows(t), before);
}

void TestBusinessShifts::changeDoesNotCollideWithItself()
{
    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("早餐", "06:00:00", "08:59:59")), Result::Saved);
    QCOMPARE(shifts.save(shift("午餐", "09:00:00", "13:00:00")), Result::Saved);

    QCOMPARE(shifts.save(shift("中餐", "09:00:00", "13:00:00", 2)), Result::Saved);
    QCOMPARE(shifts.save(shift("中餐", "08:30:00", "13:30:00", 2)), Result::StartRefused);
    QCOMPARE(shifts.save(shift("中餐", "09:30:00", "12:00:00", 2)), Result::Saved);
    QCOMPARE(t.prompt.texts(), QStringList{kCoversStart});
    QCOMPARE(rows(t), QStringLiteral("1|早餐|2010-01-01 06:00:00|2010-01-01 08:59:59;"
                                     "2|中餐|2010-01-01 09:30:00|2010-01-01 12:00:00"));
}

void TestBusinessShifts::changeOfAShiftThatIsGone()
{
    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("早餐", "06:00:00", "08:59:59")), Result::Saved);
    QCOMPARE(shifts.save(shift("午餐", "11:00:00", "13:00:00", 7)), Result::Failed);
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("未找到相关的营业班次!")});
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from yybc")), QStringLiteral("1"));
}

void TestBusinessShifts::findAndList()
{
    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("晚餐", "17:00:00", "21:00:00")), Result::Saved);
    QCOMPARE(shifts.save(shift("午餐", "11:00:00", "14:00:00")), Result::Saved);

    const QList<Shift> all = shifts.list();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).number, 1);
    QCOMPARE(all.at(0).name, QStringLiteral("晚餐"));
    QCOMPARE(all.at(1).start, QTime(11, 0, 0));
    QCOMPARE(all.at(1).end, QTime(14, 0, 0));

    const std::optional<Shift> lunch = shifts.find(2);
    QVERIFY(lunch);
    QCOMPARE(lunch->name, QStringLiteral("午餐"));
    QCOMPARE(lunch->start, QTime(11, 0, 0));
    QVERIFY(t.prompt.texts().isEmpty());
    QVERIFY(!shifts.find(9));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("未找到相关的营业班次!")});
}

void TestBusinessShifts::savedShiftIsCurrentStrictlyInside_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("current");
    QTest::newRow("at the start") << QTime(11, 0, 0) << QStringLiteral("0");
    QTest::newRow("a second later") << QTime(11, 0, 1) << QStringLiteral("1");
    QTest::newRow("a second before the end") << QTime(13, 59, 59) << QStringLiteral("1");
    QTest::newRow("at the end") << QTime(14, 0, 0) << QStringLiteral("0");
    QTest::newRow("morning, single digits") << QTime(9, 5, 3) << QStringLiteral("2");
}

void TestBusinessShifts::savedShiftIsCurrentStrictlyInside()
{
    QFETCH(QTime, now);
    QFETCH(QString, current);

    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("午餐", "11:00:00", "14:00:00")), Result::Saved);
    QCOMPARE(shifts.save(shift("早餐", "09:05:02", "09:05:04")), Result::Saved);
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), now));
    QCOMPARE(t.db.GetCurrentShiftId(), current);
}

void TestBusinessShifts::remove_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("reservation");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("deleted");

    const QString question = QStringLiteral("是否真的删除选定班次?");
    const QString inUse = QStringLiteral("选定班次已经有预订记录，不能删除!");
    QTest::newRow("nothing selected")
        << 0 << QString() << true << QStringList{QStringLiteral("请选定班次!")} << false;
    QTest::newRow("unused, yes") << 1 << QString() << true << QStringList{question} << true;
    QTest::newRow("unused, no") << 1 << QString() << false << QStringList{question} << false;
    QTest::newRow("booked") << 1 << QStringLiteral("已订") << true << QStringList{inUse} << false;
    QTest::newRow("only cancelled") << 1 << QStringLiteral("取消") << true << QStringList{inUse} << false;
    QTest::newRow("reservation of another shift")
        << 2 << QStringLiteral("已订") << true << QStringList{question} << true;
}

void TestBusinessShifts::remove()
{
    QFETCH(int, selected);
    QFETCH(QString, reservation);
    QFETCH(bool, yes);
    QFETCH(QStringList, messages);
    QFETCH(bool, deleted);

    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("午餐", "11:00:00", "14:00:00")), Result::Saved);
    QCOMPARE(shifts.save(shift("晚餐", "17:00:00", "21:00:00")), Result::Saved);
    if (!reservation.isEmpty())
        t.exec(QStringLiteral("insert into yd (ydbh,czmc,zt,yybcbh) values ('20261206100000','A1','%1',1)")
                   .arg(reservation));
    t.prompt.answer(yes ? Prompt::Answer::Yes : Prompt::Answer::No);

    QCOMPARE(shifts.remove(selected), deleted);
    QCOMPARE(t.prompt.texts(), messages);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from yybc where yybcbh=%1").arg(selected)),
             deleted || selected == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from yybc")),
             deleted ? QStringLiteral("1") : QStringLiteral("2"));
}

void TestBusinessShifts::removeWhenTheCheckFails()
{
    TestDatabase t;
    BusinessShifts shifts(t.db);
    QCOMPARE(shifts.save(shift("午餐", "11:00:00", "14:00:00")), Result::Saved);
    t.exec(QStringLiteral("alter table yd rename to yd_moved"));
    t.prompt.answer(Prompt::Answer::Yes);

    // Without knowing whether reservations refer to it, the shift stays.
    QVERIFY(!shifts.remove(1));
    QCOMPARE(t.prompt.texts().size(), 1);
    QVERIFY(t.prompt.last().startsWith(QStringLiteral("ADO Error: ")));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from yybc")), QStringLiteral("1"));
}

PELVAR_TEST(TestBusinessShifts)
#include "tst_BusinessShifts.moc"
