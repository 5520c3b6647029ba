#include "BillMerge.h"
#include "BillSplit.h"
#include "Clock.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

namespace {

const QDateTime kOpening(QDate(2026, 12, 6), QTime(18, 0, 0));

// Open groups: A1 alone, B1 with B2, C1 alone; D1 was settled yesterday.
struct Floor
{
    explicit Floor(TestDatabase& t) : floor(t)
    {
        floor.tables(QStringLiteral("大厅"),
                     {QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("C1"),
                      QStringLiteral("D1")});
        floor.open({QStringLiteral("D1")}, kOpening.addDays(-1));
        floor.checkout(QStringLiteral("D1"), QStringLiteral("202612050001"));
        a1 = floor.open({QStringLiteral("A1")}, kOpening);
        b1 = floor.open({QStringLiteral("B1"), QStringLiteral("B2")}, kOpening.addSecs(60));
        c1 = floor.open({QStringLiteral("C1")}, kOpening.addSecs(120));
        floor.line(QStringLiteral("A1"), QStringLiteral("鱼"), 1, 88);
        floor.line(QStringLiteral("B2"), QStringLiteral("啤酒"), 2, 10);
        floor.line(QStringLiteral("C1"), QStringLiteral("米饭"), 3, 2);
    }
    Restaurant floor;
    QString a1, b1, c1;
};

QStringList names(const QList<BillMerge::Group>& groups)
{
    QStringList out;
    for (const BillMerge::Group& g : groups)
        out << g.number + QLatin1Char(':') + g.table;
    return out;
}

} // namespace

class TestBillMerge : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void listsAtOpening_data();
    void listsAtOpening();
    void movingRowsAndTheMainTable();
    void mergeJoinsWholeGroups();
    void nothingChanges_data();
    void nothingChanges();
    void failureChangesNothing();
    void mergedGroupSplitsTableByTable();
};

void TestBillMerge::listsAtOpening_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("merging");
    QTest::addColumn<QString>("inStore");
    QTest::addColumn<QString>("mainTable");
    QTest::newRow("main table") << QStringLiteral("B1") << QStringLiteral("B1") << QStringLiteral("A1,C1")
                                << QStringLiteral("B1");
    QTest::newRow("table of another group")
        << QStringLiteral("B2") << QString() << QStringLiteral("A1,B1,C1") << QString();
    QTest::newRow("nothing selected") << QString() << QString() << QStringLiteral("A1,B1,C1") << QString();
    QTest::newRow("free table") << QStringLiteral("D1") << QString() << QStringLiteral("A1,B1,C1")
                                << QString();
}

void TestBillMerge::listsAtOpening()
{
    QFETCH(QString, selected);
    QFETCH(QString, merging);
    QFETCH(QString, inStore);
    QFETCH(QString, mainTable);

    TestDatabase t;
    Floor f(t);
    BillMerge merge(t.db, selected);
    auto tables = [](const QList<BillMerge::Group>& groups) {
        QStringList out;
        for (const BillMerge::Group& g : groups)
            out << g.table;
        return out.join(QLatin1Char(','));
    };
    QCOMPARE(tables(merge.toMerge()), merging);
    QCOMPARE(tables(merge.inStore()), inStore);
    QCOMPARE(merge.mainTable(), mainTable);
    QCOMPARE(names(merge.inStore()).first(),
             QStringLiteral("%1:%2").arg(f.a1, merge.inStore().first().table));
}

void TestBillMerge::movingRowsAndTheMainTable()
{
    TestDatabase t;
    Floor f(t);
    BillMerge merge(t.db, QStringLiteral("B2"));
    QCOMPARE(merge.mainTable(), QString());

    merge.add(1); // B1 becomes the only row: the main table
    QCOMPARE(names(merge.toMerge()), QStringList{f.b1 + QStringLiteral(":B1")});
    QCOMPARE(merge.mainTable(), QStringLiteral("B1"));
    merge.add(0); // A1 goes to the end
    QCOMPARE(names(merge.toMerge()),
             (QStringList{f.b1 + QStringLiteral(":B1"), f.a1 + QStringLiteral(":A1")}));
    QCOMPARE(merge.mainTable(), QStringLiteral("B1"));
    QCOMPARE(names(merge.inStore()), QStringList{f.c1 + QStringLiteral(":C1")});

    // Removing the first row hands the bill to the next group, and the field says so.
    merge.remove(0);
    QCOMPARE(merge.mainTable(), QStringLiteral("A1"));
    QCOMPARE(names(merge.inStore()),
             (QStringList{f.c1 + QStringLiteral(":C1"), f.b1 + QStringLiteral(":B1")}));
    merge.remove(0);
    QCOMPARE(merge.mainTable(), QString());
    QVERIFY(merge.toMerge().isEmpty());

    // Rows that are not there are ignored.
    merge.add(7);
    merge.remove(0);
    merge.add(-1);
    QCOMPARE(merge.inStore().size(), 3);
    QVERIFY(merge.toMerge().isEmpty());
    QCOMPARE(t.prompt.texts(), QStringList());
}

void TestBillMerge::mergeJoinsWholeGroups()
{
    TestDatabase t;
    Floor f(t);
    const QString lines = t.scalar(QStringLiteral("select group_concat(czm||ysje||jzbj) from xfmx"));
    const QString tables = t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj) from cz"));

    BillMerge merge(t.db, QStringLiteral("A1"));
    merge.add(0); // B1's group
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(merge.merge());
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("确定要合并此单吗?")});

    QCOMPARE(f.floor.groupState(),
             (QStringList{QStringLiteral("A1:%1:y").arg(f.a1), QStringLiteral("B1:%1:0").arg(f.a1),
                          QStringLiteral("B2:%1:0").arg(f.a1), QStringLiteral("C1:%1:y").arg(f.c1)}));
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm||ysje||jzbj) from xfmx")), lines);
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm||zyzt||xfhj) from cz")), tables);
    QCOMPARE(t.scalar(QStringLiteral("select zdbh||zdbj from dj where czm='D1'")),
             QStringLiteral("20261205180000y"));

    // Merging again adds C1's group; one checkout from any of its tables settles all four.
    BillMerge again(t.db, QStringLiteral("A1"));
    QCOMPARE(again.inStore().size(), 1);
    again.add(0);
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(again.merge());
    QCOMPARE(f.floor.checkout(QStringLiteral("B2"), QStringLiteral("202612060001")),
             (QStringList{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("B2"),
                          QStringLiteral("C1")}));
    QCOMPARE(t.scalar(QStringLiteral("select printf('%.2f',sum(ysje)) from xfmx where jzzdh='202612060001'")),
             QStringLiteral("114.00"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from cz where zyzt='占用'")), QStringLiteral("0"));
}

void TestBillMerge::nothingChanges_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("added");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("messages");
    const QStringList question{QStringLiteral("确定要合并此单吗?")};
    QTest::newRow("empty merge list") << QString() << 0 << true << QStringList();
    QTest::newRow("answered no") << QStringLiteral("A1") << 1 << false << question;
    QTest::newRow("one group only") << QStringLiteral("A1") << 0 << true << question;
}

void TestBillMerge::nothingChanges()
{
    QFETCH(QString, selected);
    QFETCH(int, added);
    QFETCH(bool, yes);
    QFETCH(QStringList, messages);

    TestDatabase t;
    Floor f(t);
    const QStringList before = f.floor.groupState();
    BillMerge merge(t.db, selected);
    for (int i = 0; i < added; ++i)
        merge.add(0);
    t.prompt.answer(yes ? Prompt::Answer::Yes : Prompt::Answer::No);
    QVERIFY(merge.merge()); // the dialog closes
    QCOMPARE(t.prompt.texts(), messages);
    QCOMPARE(f.floor.groupState(), before);
}

void TestBillMerge::failureChangesNothing()
{
    TestDatabase t;
    Floor f(t);
    const QStringList before = f.floor.groupState();
    // B1's group joins; C1's, the second, fails.
    t.exec(QStringLiteral("create trigger refuse before update on dj when old.czm='C1' "
                          "begin select raise(abort,'磁盘已满'); end"));

    BillMerge merge(t.db, QStringLiteral("A1"));
    merge.add(0);
    merge.add(0);
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(!merge.merge());
    QCOMPARE(t.prompt.texts(), (QStringList{QStringLiteral("确定要合并此单吗?"),
                                            QStringLiteral("合并账单发生异常,合并失败!")}));
    QCOMPARE(f.floor.groupState(), before);
}

void TestBillMerge::mergedGroupSplitsTableByTable()
{
    TestDatabase t;
    Floor f(t);
    BillMerge merge(t.db, QStringLiteral("A1"));
    merge.add(0);
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(merge.merge());

    // B1, the former main table, is now an ordinary table of A1's group and can be split off.
    BillSplit split(t.db);
    QCOMPARE(split.groups().at(0).mainTable, QStringLiteral("A1"));
    QCOMPARE(split.groups().at(0).otherTables, (QStringList{QStringLiteral("B1"), QStringLiteral("B2")}));
    QVERIFY(split.take(QStringLiteral("B1")));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(split.split());

    QCOMPARE(f.floor.groupState(),
             (QStringList{QStringLiteral("A1:%1:y").arg(f.a1), QStringLiteral("B1:%1:y").arg(f.b1),
                          QStringLiteral("B2:%1:0").arg(f.a1), QStringLiteral("C1:%1:y").arg(f.c1)}));
    QCOMPARE(f.floor.checkout(QStringLiteral("A1"), QStringLiteral("202612060001")),
             (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    QCOMPARE(f.floor.checkout(QStringLiteral("B1"), QStringLiteral("202612060002")),
             QStringList{QStringLiteral("B1")});
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(czm) from cz where zyzt='占用'")),
             QStringLiteral("C1"));
}

PELVAR_TEST(TestBillMerge)
#include "tst_BillMerge.moc"
