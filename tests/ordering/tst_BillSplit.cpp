#include "BillSplit.h"
#include "Clock.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

namespace {

const QDateTime kOpening(QDate(2026, 12, 6), QTime(18, 0, 0));

// Group A1 (with A2, A3), B1 alone, and an earlier settled group on C1.
void setUpGroups(TestDatabase& t, Restaurant& floor)
{
    floor.tables(QStringLiteral("大厅"), {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"),
                                          QStringLiteral("B1"), QStringLiteral("C1"), QStringLiteral("C2")});
    floor.open({QStringLiteral("C1"), QStringLiteral("C2")}, kOpening.addDays(-1));
    floor.checkout(QStringLiteral("C1"), QStringLiteral("202612050001"));
    floor.open({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}, kOpening);
    floor.open({QStringLiteral("B1")}, kOpening.addSecs(60));
    floor.line(QStringLiteral("A1"), QStringLiteral("鱼"), 1, 88);
    floor.line(QStringLiteral("A2"), QStringLiteral("啤酒"), 2, 10);
    floor.line(QStringLiteral("A3"), QStringLiteral("米饭"), 3, 2);
    t.prompt.clear();
}

} // namespace

class TestBillSplit : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void treeHoldsTheOpenGroups();
    void mainTableCannotBeTaken();
    void splitMakesATableItsOwnGroup();
    void nothingHappensWithoutTablesOrOnNo_data();
    void nothingHappensWithoutTablesOrOnNo();
    void failureChangesNothing();
};

void TestBillSplit::treeHoldsTheOpenGroups()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpGroups(t, floor);

    BillSplit split(t.db);
    QCOMPARE(split.groups().size(), 2);
    QCOMPARE(split.groups().at(0).mainTable, QStringLiteral("A1"));
    QCOMPARE(split.groups().at(0).otherTables, (QStringList{QStringLiteral("A2"), QStringLiteral("A3")}));
    QCOMPARE(split.groups().at(1).mainTable, QStringLiteral("B1"));
    QCOMPARE(split.groups().at(1).otherTables, QStringList());
    QVERIFY(split.splitTables().isEmpty());
}

void TestBillSplit::mainTableCannotBeTaken()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpGroups(t, floor);

    BillSplit split(t.db);
    QVERIFY(!split.take(QStringLiteral("A1")));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("不能对主餐桌进行此操作!")});
    QVERIFY(!split.take(QStringLiteral("B1")));
    QCOMPARE(t.prompt.texts().size(), 2);
    QVERIFY(split.splitTables().isEmpty());

    QVERIFY(split.take(QStringLiteral("A3")));
    QCOMPARE(split.groups().at(0).otherTables, QStringList{QStringLiteral("A2")});
    QCOMPARE(split.splitTables(), QStringList{QStringLiteral("A3")});
    // A table already taken is no longer in the tree.
    QVERIFY(!split.take(QStringLiteral("A3")));
    QCOMPARE(split.splitTables(), QStringList{QStringLiteral("A3")});
    QCOMPARE(t.prompt.texts().size(), 2);
}

void TestBillSplit::splitMakesATableItsOwnGroup()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpGroups(t, floor);
    const QString a1 = floor.registration(QStringLiteral("A1"), QStringLiteral("djbh"));
    const QString a2 = floor.registration(QStringLiteral("A2"), QStringLiteral("djbh"));
    const QString b1 = floor.registration(QStringLiteral("B1"), QStringLiteral("djbh"));
    const QString linesBefore = t.scalar(QStringLiteral("select group_concat(czm||ysje||jzbj) from xfmx"));

    BillSplit split(t.db);
    QVERIFY(split.take(QStringLiteral("A2")));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(split.split());
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("确定要拆分此单吗?")});
    QCOMPARE(t.prompt.shown().first().buttons, Prompt::Buttons::YesNo);

    QCOMPARE(floor.groupState(),
             (QStringList{QStringLiteral("A1:%1:y").arg(a1), QStringLiteral("A2:%1:y").arg(a2),
                          QStringLiteral("A3:%1:n").arg(a1), QStringLiteral("B1:%1:y").arg(b1)}));
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm||ysje||jzbj) from xfmx")), linesBefore);
    // The settled group's registrations keep their marks.
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from dj where czm='C2' and zdbj='n'")),
             QStringLiteral("1"));

    // Checking out the main table now bills A1 and A3 only; A2 stays open with its own bill.
    QCOMPARE(floor.checkout(QStringLiteral("A3"), QStringLiteral("202612060001")),
             (QStringList{QStringLiteral("A1"), QStringLiteral("A3")}));
    QCOMPARE(floor.field(QStringLiteral("cz"), QStringLiteral("zyzt"), QStringLiteral("czm='A2'")),
             QStringLiteral("占用"));
    QCOMPARE(floor.checkout(QStringLiteral("A2"), QStringLiteral("202612060002")),
             QStringList{QStringLiteral("A2")});
    QCOMPARE(
        floor.field(QStringLiteral("xfmx"), QStringLiteral("ysje"), QStringLiteral("jzzdh='202612060002'")),
        QStringLiteral("20"));
}

void TestBillSplit::nothingHappensWithoutTablesOrOnNo_data()
{
    QTest::addColumn<bool>("takeA2");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("nothing taken") << false << QStringList();
    QTest::newRow("answered no") << true << QStringList{QStringLiteral("确定要拆分此单吗?")};
}

void TestBillSplit::nothingHappensWithoutTablesOrOnNo()
{
    QFETCH(bool, takeA2);
    QFETCH(QStringList, messages);

    TestDatabase t;
    Restaurant floor(t);
    setUpGroups(t, floor);
    const QStringList before = floor.groupState();

    BillSplit split(t.db);
    if (takeA2)
        QVERIFY(split.take(QStringLiteral("A2")));
    t.prompt.answer(Prompt::Answer::No);
    QVERIFY(!split.split());
    QCOMPARE(t.prompt.texts(), messages);
    QCOMPARE(floor.groupState(), before);
}

void TestBillSplit::failureChangesNothing()
{
    TestDatabase t;
    Restaurant floor(t);
    setUpGroups(t, floor);
    const QStringList before = floor.groupState();
    // Splitting A2 goes through; A3, the second table taken, fails.
    t.exec(QStringLiteral("create trigger refuse before update on dj when old.czm='A3' "
                          "begin select raise(abort,'磁盘已满'); end"));

    BillSplit split(t.db);
    QVERIFY(split.take(QStringLiteral("A2")));
    QVERIFY(split.take(QStringLiteral("A3")));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(!split.split());
    QCOMPARE(t.prompt.texts(), (QStringList{QStringLiteral("确定要拆分此单吗?"),
                                            QStringLiteral("拆分账单发生异常,拆分失败!")}));
    QCOMPARE(floor.groupState(), before);
}

PELVAR_TEST(TestBillSplit)
#include "tst_BillSplit.moc"
