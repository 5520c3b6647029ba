#include "Checkout.h"
#include "Clock.h"
#include "Finance.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "SalesStatistics.h"
#include "Sql.h"
#include "TestMain.h"
#include "WaiterSales.h"

#include <QTest>

using Mode = SalesStatistics::Mode;

namespace {

const QDate kDay(2026, 12, 6);

// The menu with costs on the dishes (none on the drinks) and a table fee that has an item of its own.
struct Fixture
{
    Fixture() : r(Restaurant::withMenu(t))
    {
        t.exec(QStringLiteral("update xm set jhdj=10,ckcb=12 where xmm='鱼香肉丝'"));
        t.exec(QStringLiteral("update xm set jhdj=15,ckcb=20 where xmm='红烧肉'"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,jhdj,ckcb) values(9,'餐桌费',10,'其他',3,3)"));
    }
    // "item quantity [ratio] [open|HH:mm|next]": a line of A1, settled unless open, at 11:05 unless timed.
    void sell(const QString& spec)
    {
        const QStringList p = spec.split(QLatin1Char(' '));
        const double price = p[0] == QStringLiteral("餐桌费")
                                 ? 10
                                 : t.scalar("select dj from xm where xmm='" + p[0] + "'").toDouble();
        const qint64 line =
            r.line(QStringLiteral("A1"), p[0], p[1].toDouble(), price, p.value(2, "1").toDouble());
        const QString when = p.value(3);
        if (when != QStringLiteral("open"))
            t.exec(QStringLiteral("update xfmx set jzbj='1',jzzdh='B1' where xfbh=%1").arg(line));
        if (when == QStringLiteral("next"))
            t.exec(QStringLiteral("update xfmx set xfsj='2026-12-07 00:00:00' where xfbh=%1").arg(line));
        else if (when.contains(QLatin1Char(':')))
            t.exec(
                QStringLiteral("update xfmx set xfsj='2026-12-06 %1:00' where xfbh=%2").arg(when).arg(line));
    }
    static QStringList rows(const ReportTable& table)
    {
        QStringList joined;
        for (const QStringList& row : table.rows)
            joined << row.join(QLatin1Char('|'));
        return joined;
    }

    TestDatabase t;
    Restaurant r;
};

} // namespace

class TestSalesStatistics : public QObject
{
    Q_OBJECT
private slots:
    // Opened at 14:00: the chosen day still runs to 23:59:59.
    void init() { Clock::setFixed(QDateTime(kDay, QTime(14, 0))); }
    void cleanup() { Clock::clearFixed(); }
    void statistics_data();
    void statistics();
    void waiters();
    void agreesWithTheBills();
};

void TestSalesStatistics::statistics_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("rows");
    const int category = int(Mode::Category);
    QTest::newRow("only table fees, counted once")
        << category << QStringList{"餐桌费 4"}
        << QStringList{"餐桌费|4|0.00|40.00|100.00%|40.00|40.00", "合计|4|0.00|40.00||40.00|40.00"};
    QTest::newRow("a return lowers its item")
        << category << QStringList{"鱼香肉丝 2", "鱼香肉丝 -1"}
        << QStringList{"热菜|1|0.00|28.00|100.00%|18.00|16.00", "合计|1|0.00|28.00||18.00|16.00"};
    QTest::newRow("unsettled and next day's lines left out")
        << category << QStringList{"鱼香肉丝 1 1 23:30", "红烧肉 1 1 open", "红烧肉 1 1 next"}
        << QStringList{"热菜|1|0.00|28.00|100.00%|18.00|16.00", "合计|1|0.00|28.00||18.00|16.00"};
    QTest::newRow("items without costs")
        << category << QStringList{"啤酒 2"}
        << QStringList{"酒水|2|0.00|16.00|100.00%|16.00|16.00", "合计|2|0.00|16.00||16.00|16.00"};
    QTest::newRow("nothing received")
        << category << QStringList{"可乐 1 0"}
        << QStringList{"酒水|1|5.00|0.00|0.00%|0.00|0.00", "合计|1|5.00|0.00||0.00|0.00"};
    QTest::newRow("nothing sold") << category << QStringList{"可乐 1 1 open"} << QStringList{};
    QTest::newRow("per item") << int(Mode::Item) << QStringList{"鱼香肉丝 2 0.9", "啤酒 1", "餐桌费 2"}
                              << QStringList{"鱼香肉丝|热菜|2|5.60|50.40|64.29%|30.40|26.40",
                                             "啤酒|酒水|1|0.00|8.00|10.20%|8.00|8.00",
                                             "餐桌费|餐桌费|2|0.00|20.00|25.51%|20.00|20.00",
                                             "合计||5|5.60|78.40||58.40|54.40"};
}

void TestSalesStatistics::statistics()
{
    QFETCH(int, mode);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, rows);
    Fixture f;
    for (const QString& line : lines)
        f.sell(line);
    const ReportTable table = SalesStatistics(f.t.db).compute(Mode(mode), ReportPeriod(kDay, kDay));
    QCOMPARE(Fixture::rows(table), rows);
    QCOMPARE(table.subtitle, QStringLiteral("起止时间:2026-12-06 00:00:00－2026-12-06 23:59:59"));
    QVERIFY(f.t.prompt.texts().isEmpty());
}

void TestSalesStatistics::waiters()
{
    Fixture f;
    f.t.exec(QStringLiteral("insert into fws(xm) values('张丽')"));
    f.t.exec(QStringLiteral("insert into fws(xm) values('王芳')"));
    f.r.seat(QStringLiteral("A1"));
    f.r.seat(QStringLiteral("A2"));
    f.r.seat(QStringLiteral("A3"));
    f.t.exec(QStringLiteral("update dj set fws=1 where czm='A1'"));
    f.t.exec(QStringLiteral("update dj set fws=7 where czm='A3'")); // a waiter deleted since
    f.r.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
    f.r.order(QStringLiteral("A1"), QStringLiteral("啤酒"), 1);
    f.r.order(QStringLiteral("A2"), QStringLiteral("啤酒"), 3);
    f.r.order(QStringLiteral("A3"), QStringLiteral("可乐"), 1);
    f.r.checkout(QStringLiteral("A1"), QStringLiteral("B1"));
    f.r.checkout(QStringLiteral("A2"), QStringLiteral("B2"));
    f.r.checkout(QStringLiteral("A3"), QStringLiteral("B3"));
    f.r.seat(QStringLiteral("B1")); // unsettled
    f.r.order(QStringLiteral("B1"), QStringLiteral("啤酒"), 5);

    WaiterSales sales(f.t.db);
    QCOMPARE(
        Fixture::rows(sales.compute(ReportPeriod(kDay, kDay), {})),
        (QStringList{"未指定服务生|啤酒|3|0.00|24.00", "张丽|啤酒|1|0.00|8.00", "张丽|鱼香肉丝|2|0.00|56.00",
                     "未指定服务生|可乐|1|0.00|5.00", "合计||7|0.00|93.00"}));
    const ReportTable chosen = sales.compute(ReportPeriod(kDay, kDay), {QStringLiteral("啤酒")});
    QCOMPARE(Fixture::rows(chosen),
             (QStringList{"未指定服务生|啤酒|3|0.00|24.00", "张丽|啤酒|1|0.00|8.00", "合计||4|0.00|32.00"}));
    QCOMPARE(chosen.title, QStringLiteral("服务生销售统计(指定项目)"));
}

// A few visits settled at the checkout (a return, a gift, one on account, one paid 其他): the
// statistics, the waiters' figures and the finance statement agree with the lines and the bills.
void TestSalesStatistics::agreesWithTheBills()
{
    Fixture f;
    f.t.prompt.fallback = Prompt::Answer::Yes;
    ReceiptPrinter receipts(f.t.db, QStringLiteral("我的餐厅"),
                            [](const QString&, const QString&, const QString&) { return true; });
    Checkout checkout(f.t.db, Cashier{QStringLiteral("张三"), QStringLiteral("0.80"), QStringLiteral("1")},
                      receipts);
    const struct
    {
        const char* table;
        QStringList lines;
        Checkout::Payment payment;
    } visits[] = {{"A1", {"鱼香肉丝 2", "鱼香肉丝 -1", "餐桌费 2"}, Checkout::Payment::Cash},
                  {"A2", {"红烧肉 1", "可乐 2 0"}, Checkout::Payment::OnAccount},
                  {"A3", {"啤酒 3", "红烧肉 2 0.9"}, Checkout::Payment::Other}};
    for (const auto& visit : visits) {
        const QString table = QString::fromUtf8(visit.table);
        f.r.seat(table);
        for (const QString& line : visit.lines) {
            const QStringList p = line.split(QLatin1Char(' '));
            const double price = p[0] == QStringLiteral("餐桌费")
                                     ? 10
                                     : f.t.scalar("select dj from xm where xmm='" + p[0] + "'").toDouble();
            f.r.line(table, p[0], p[1].toDouble(), price, p.value(2, "1").toDouble());
        }
        checkout.open(table);
        Checkout::Amounts amounts;
        checkout.RecalcTotals(amounts, visit.payment);
        QCOMPARE(checkout.settle({amounts.due, amounts.due, QStringLiteral("记账"), visit.payment}).outcome,
                 Checkout::Outcome::Settled);
    }
    const ReportPeriod day(kDay, kDay);
    const QString lines =
        Sql::money(f.t.scalar(QStringLiteral("select sum(ysje) from xfmx where jzbj='1'")).toDouble());
    const QString bills = Sql::money(f.t.scalar(QStringLiteral("select sum(ssje) from jzhz")).toDouble());
    QCOMPARE(lines, QStringLiteral("179.80"));
    QCOMPARE(bills, lines);
    for (Mode mode : {Mode::Category, Mode::Item}) {
        const ReportTable table = SalesStatistics(f.t.db).compute(mode, day);
        QCOMPARE(table.rows.last().at(mode == Mode::Category ? 3 : 4), lines);
    }
    QCOMPARE(WaiterSales(f.t.db).compute(day, {}).rows.last().at(4), lines);
    const ReportTable finance = Finance(f.t.db, f.t.folder()).statement(day);
    const QString cashAndOther = Sql::money(
        f.t.scalar(QStringLiteral("select sum(ssje) from jzhz where jzfs in ('现金','其他')")).toDouble());
    QCOMPARE(finance.rows.at(1), (QStringList{QStringLiteral("    销售收入"), cashAndOther, QString()}));
    // The cost of sales is what the statistics take off the takings for 纯利.
    const QStringList total = SalesStatistics(f.t.db).compute(Mode::Category, day).rows.last();
    QCOMPARE(finance.rows.at(3).at(1), Sql::money(total.at(6).toDouble() - total.at(3).toDouble()));
}

PELVAR_TEST(TestSalesStatistics)
#include "tst_SalesStatistics.moc"
