#include "ConsumptionQuery.h"
#include "ItemQuery.h"
#include "RegistrationQuery.h"
#include "Restaurant.h"
#include "ReturnsQuery.h"
#include "TestMain.h"

#include <QTest>

using Mode = ConsumptionQuery::Mode;
using By = ConsumptionQuery::By;

Q_DECLARE_METATYPE(ConsumptionQuery::Mode)
Q_DECLARE_METATYPE(ConsumptionQuery::By)

namespace {

const QDate kDay(2026, 12, 6);
const ReportPeriod kPeriod(kDay, kDay);

// One column of every row but the total.
QStringList column(const ReportTable& table, int column)
{
    QStringList texts;
    for (qsizetype i = 0; i + 1 < table.rows.size(); ++i)
        texts << table.rows.at(i).at(column);
    return texts;
}

// A1 settled as bill B1 (a dish, a return, a gift, a returned gift); A2 still open.
struct Fixture
{
    Fixture() : r(Restaurant::withMenu(t))
    {
        r.seat(QStringLiteral("A1"));
        r.seat(QStringLiteral("A2"));
        r.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
        r.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), -1);
        t.exec(QStringLiteral("update xfmx set tdbz='太咸' where xfxm='红烧肉'"));
        r.order(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 0);
        r.order(QStringLiteral("A1"), QStringLiteral("可乐"), -1, 0);
        r.checkout(QStringLiteral("A1"), QStringLiteral("B1"));
        r.order(QStringLiteral("A2"), QStringLiteral("啤酒"), 3);
    }
    TestDatabase t;
    Restaurant r;
};

} // namespace

class TestQueries : public QObject
{
    Q_OBJECT
private slots:
    void consumption_data();
    void consumption();
    void returnsAndGifts();
    void registrations();
    void items_data();
    void items();
};

void TestQueries::consumption_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<By>("by");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("due");
    QTest::newRow("present: unsettled lines only")
        << Mode::Present << By::Table << "" << QStringList{"啤酒"} << "24.00";
    QTest::newRow("present by item") << Mode::Present << By::Item << "可" << QStringList{} << "0.00";
    QTest::newRow("gone: every line of the bill")
        << Mode::Gone << By::Table << "B1" << QStringList{"鱼香肉丝", "红烧肉", "可乐", "可乐"} << "17.50";
    QTest::newRow("a typed quote is dropped")
        << Mode::Present << By::Table << "A'2" << QStringList{"啤酒"} << "24.00";
}

void TestQueries::consumption()
{
    QFETCH(Mode, mode);
    QFETCH(By, by);
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QFETCH(QString, due);
    Fixture f;
    const ReportTable table = ConsumptionQuery(f.t.db).compute(mode, by, kPeriod, text);
    QCOMPARE(column(table, 2), items);
    QCOMPARE(table.rows.last().at(0), QStringLiteral("合计"));
    QCOMPARE(table.rows.last().at(8), due);
    QVERIFY(f.t.prompt.texts().isEmpty());
}

void TestQueries::returnsAndGifts()
{
    Fixture f;
    ReturnsQuery query(f.t.db);
    const ReportTable returns = query.compute(ReturnsQuery::Mode::Returns, kPeriod, QString());
    QCOMPARE(column(returns, 2), (QStringList{"红烧肉(退)", "可乐(退)"}));
    QCOMPARE(column(returns, 10), (QStringList{"太咸", ""}));
    QCOMPARE(returns.rows.last().at(7), QStringLiteral("-38.50"));
    const ReportTable gifts = query.compute(ReturnsQuery::Mode::Gifts, kPeriod, QStringLiteral("B1"));
    QCOMPARE(column(gifts, 2), (QStringList{"可乐(赠)", "可乐(退)"}));
    QCOMPARE(gifts.rows.last().size(), 10);
    QVERIFY(query.compute(ReturnsQuery::Mode::Gifts, kPeriod, QStringLiteral("B2")).rows.size() == 1);
}

void TestQueries::registrations()
{
    Fixture f;
    f.t.exec(QStringLiteral("insert into fws(xm) values('张丽')"));
    f.t.exec(QStringLiteral("update dj set fws=1 where czm='A1'"));
    f.t.exec(QStringLiteral("update dj set fws=9 where czm='A2'"));
    RegistrationQuery query(f.t.db);
    const ReportTable all = query.compute(kPeriod, 0, QString());
    QCOMPARE(column(all, 3), (QStringList{"张丽", "*"}));
    QCOMPARE(all.rows.last().at(5), QStringLiteral("41.50"));
    QVERIFY(all.subtitle.endsWith(QStringLiteral("服务生:全部")));
    const ReportTable one = query.compute(kPeriod, 1, QStringLiteral("张丽"));
    QCOMPARE(column(one, 0), QStringList{Restaurant::registration(QStringLiteral("A1"))});
    QCOMPARE(column(one, 1), QStringList{"B1"});
    QCOMPARE(query.waiterOf(Restaurant::registration(QStringLiteral("A2"))), 9);
    QVERIFY(query.compute(ReportPeriod(kDay.addDays(1), kDay.addDays(1)), 0, QString()).rows.size() == 1);
}

void TestQueries::items_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("gb anywhere in code or name") << ""
                                                 << "gb" << QStringList{"gb套餐", "宫保鸡丁", "干煸豆角"};
    QTest::newRow("a category") << "酒水"
                                << "" << QStringList{"啤酒", "可乐"};
}

void TestQueries::items()
{
    QFETCH(QString, category);
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    TestDatabase t;
    Restaurant::withMenu(t);
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(6,'宫保鸡丁','GBJD',28,'热菜')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(7,'干煸豆角','XGBDJ',22,'热菜')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(8,'gb套餐','TC',99,'套餐')"));
    ItemQuery query(t.db);
    QCOMPARE(query.categories(), (QStringList{"显示全部", "热菜", "酒水"}));
    const ReportTable table = category.isEmpty() ? query.containing(text) : query.ofCategory(category);
    QStringList found;
    for (const QStringList& row : table.rows)
        found << row.at(1);
    QCOMPARE(found, names);
    QCOMPARE(table.rows.first().size(), 6);
}

PELVAR_TEST(TestQueries)
#include "tst_Queries.moc"
