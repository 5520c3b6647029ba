#include "Clock.h"
#include "ConsumptionQuery.h"
#include "ItemQuery.h"
#include "RegistrationQuery.h"
#include "Restaurant.h"
#include "ReturnsQuery.h"
#include "TestMain.h"

#include <QTest>

namespace {

const ReportPeriod kDay({2026, 12, 6}, {2026, 12, 6});

// One column of every row; the last row (the total) gives `total`'s column instead.
QStringList column(const ReportTable& table, int column, int total)
{
    QStringList texts;
    for (const QStringList& row : table.rows)
        texts << row.at(&row == &table.rows.last() ? total : column);
    return texts;
}

// A1 settled as bill 202612060001 (a dish, a return, a gift, a returned gift); A2 still open.
struct Fixture
{
    Fixture() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(Restaurant::kNow);
        r.seat(QStringLiteral("A1"));
        r.seat(QStringLiteral("A2"));
        r.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
        r.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), -1);
        t.exec(QStringLiteral("update xfmx set tdbz='太咸' where xfxm='红烧肉'"));
        r.order(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 0);
        r.order(QStringLiteral("A1"), QStringLiteral("可乐"), -1, 0);
        r.checkout(QStringLiteral("A1"));
        r.order(QStringLiteral("A2"), QStringLiteral("啤酒"), 3);
        t.exec(QStringLiteral("insert into fws(xm) values('张丽')"));
        t.exec(QStringLiteral("update dj set fws=1 where czm='A1'"));
    }
    ~Fixture() { Clock::clearFixed(); }
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
    void returnsGiftsAndRegistrations();
    void moneyWithTwoDecimals_data();
    void moneyWithTwoDecimals();
    void itemsContainingGb();
};

void TestQueries::consumption_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("by");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    const int present = int(ConsumptionQuery::Mode::Present), table = int(ConsumptionQuery::By::Table);
    QTest::newRow("present: unsettled lines only") << present << table << "" << QStringList{"啤酒", "24.00"};
    QTest::newRow("present by item") << present << int(ConsumptionQuery::By::Item) << "可"
                                     << QStringList{"0.00"};
    QTest::newRow("gone: every line of the bill")
        << int(ConsumptionQuery::Mode::Gone) << table << "202612060001"
        << QStringList{"鱼香肉丝", "红烧肉", "可乐", "可乐", "17.50"};
    QTest::newRow("a typed quote is dropped") << present << table << "A'2" << QStringList{"啤酒", "24.00"};
}

void TestQueries::consumption()
{
    QFETCH(int, mode);
    QFETCH(int, by);
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    Fixture f;
    const ReportTable table =
        ConsumptionQuery(f.t.db).compute(ConsumptionQuery::Mode(mode), ConsumptionQuery::By(by), kDay, text);
    QCOMPARE(column(table, 2, 8), items);
    QVERIFY(f.t.prompt.texts().isEmpty());
}

// The first row's 数量, 单价 and 折扣, as every list shows money and ratios: two decimals.
void TestQueries::moneyWithTwoDecimals_data()
{
    QTest::addColumn<int>("query"); // 0 consumption of the open table, 1 returns, 2 gifts
    QTest::addColumn<QString>("shown");
    QTest::newRow("consumption") << 0 << "3.00|8.00|1.00";
    QTest::newRow("returns") << 1 << "-1.00|38.50|1.00";
    QTest::newRow("gifts") << 2 << "2.00|5.00|0.00";
}

void TestQueries::moneyWithTwoDecimals()
{
    QFETCH(int, query);
    Fixture f;
    const ReportTable table =
        query == 0 ? ConsumptionQuery(f.t.db).compute(ConsumptionQuery::Mode::Present, ConsumptionQuery::By::Table,
                                                      kDay, QString())
                   : ReturnsQuery(f.t.db).compute(query == 1 ? ReturnsQuery::Mode::Returns : ReturnsQuery::Mode::Gifts,
                                                  kDay, QString());
    QTEST(table.rows.first().mid(4, 3).join('|'), "shown");
}

void TestQueries::returnsGiftsAndRegistrations()
{
    Fixture f;
    ReturnsQuery query(f.t.db);
    const ReportTable returns = query.compute(ReturnsQuery::Mode::Returns, kDay, QString());
    QCOMPARE(column(returns, 2, 7), (QStringList{"红烧肉(退)", "可乐(退)", "-38.50"}));
    QCOMPARE(returns.rows.first().at(10), QStringLiteral("太咸"));
    // A returned gift keeps its return mark.
    QCOMPARE(column(query.compute(ReturnsQuery::Mode::Gifts, kDay, QStringLiteral("202612060001")), 2, 7),
             (QStringList{"可乐(赠)", "可乐(退)", "0.00"}));
    QCOMPARE(query.compute(ReturnsQuery::Mode::Gifts, kDay, QStringLiteral("B2")).rows.size(), 1);

    RegistrationQuery registrations(f.t.db);
    QCOMPARE(column(registrations.compute(kDay, 0, QString()), 3, 5), (QStringList{"张丽", "*", "41.50"}));
    QCOMPARE(column(registrations.compute(kDay, 1, QStringLiteral("张丽")), 1, 5),
             (QStringList{"202612060001", "17.50"}));
    QCOMPARE(registrations.waiterOf(Restaurant::registration(QStringLiteral("A1"))), 1);
}

void TestQueries::itemsContainingGb()
{
    TestDatabase t;
    Restaurant::withMenu(t);
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,lbm) values(6,'宫保鸡丁','GBJD','热菜')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,lbm) values(7,'干煸豆角','XGBDJ','热菜')"));
    t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,lbm) values(8,'gb套餐','TC','套餐')"));
    QCOMPARE(column(ItemQuery(t.db).containing(QStringLiteral("gb")), 1, 1),
             (QStringList{"gb套餐", "宫保鸡丁", "干煸豆角"}));
    QCOMPARE(column(ItemQuery(t.db).ofCategory(QStringLiteral("酒水")), 1, 1), (QStringList{"啤酒", "可乐"}));
}

PELVAR_TEST(TestQueries)
#include "tst_Queries.moc"
