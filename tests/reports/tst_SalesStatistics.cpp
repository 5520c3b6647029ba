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

const ReportPeriod kDay({2026, 12, 6}, {2026, 12, 6});

QStringList joined(const ReportTable& table)
{
    QStringList rows;
    for (const QStringList& row : table.rows)
        rows << row.join(QLatin1Char('|'));
    return rows;
}

// Costs on the dishes, none on the drinks; the table fee has an item of its own, with a cost.
struct Fixture
{
    Fixture() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(Restaurant::kNow); // the bills' day is the lines' day, whatever the machine's date
        t.exec(QStringLiteral("update xm set jhdj=10,ckcb=12 where xmm='鱼香肉丝'"));
        t.exec(QStringLiteral("update xm set jhdj=15,ckcb=20 where xmm='红烧肉'"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm,jhdj,ckcb) values(9,'餐桌费',10,'其他',3,3)"));
    }
    // "item quantity [ratio] [open|HH:mm|next]": a line settled unless open, at 11:05 unless timed.
    void sell(const QString& table, const QString& text)
    {
        const QStringList p = text.split(QLatin1Char(' '));
        const qint64 line = r.line(table, p[0], p[1].toDouble(),
                                   t.scalar("select dj from xm where xmm='" + p[0] + "'").toDouble(),
                                   p.value(2, "1").toDouble());
        const QString when = p.value(3);
        if (when != QStringLiteral("open"))
            t.exec(QStringLiteral("update xfmx set jzbj='1',jzzdh='B1' where xfbh=%1").arg(line));
        if (when.contains(QLatin1Char(':')) || when == QStringLiteral("next"))
            t.exec(QStringLiteral("update xfmx set xfsj='%1' where xfbh=%2")
                       .arg(when == QStringLiteral("next") ? "2026-12-07 00:00:00"
                                                           : "2026-12-06 " + when + ":00")
                       .arg(line));
    }
    TestDatabase t;
    Restaurant r;
};

} // namespace

class TestSalesStatistics : public QObject
{
    Q_OBJECT
private slots:
    void statistics_data();
    void statistics();
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
    QTest::newRow("a return lowers its item; unsettled and next day's lines left out")
        << category << QStringList{"鱼香肉丝 2 1 23:30", "鱼香肉丝 -1", "红烧肉 1 1 open", "红烧肉 1 1 next"}
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
        f.sell(QStringLiteral("A1"), line);
    const ReportTable table = SalesStatistics(f.t.db).compute(Mode(mode), kDay);
    QCOMPARE(joined(table), rows);
    QCOMPARE(table.subtitle, QStringLiteral("起止时间:2026-12-06 00:00:00－2026-12-06 23:59:59"));
}

// Visits settled at the checkout (a return, a gift, one on account, one paid 其他; one without
// waiter, one whose waiter was deleted since): the statistics, the waiters' figures and the finance
// statement agree with the lines and the bills.
void TestSalesStatistics::agreesWithTheBills()
{
    Fixture f;
    f.t.prompt.fallback = Prompt::Answer::Yes;
    ReceiptPrinter receipts(f.t.db, QString(),
                            [](const QString&, const QString&, const QString&) { return true; });
    f.t.exec(QStringLiteral("insert into fws(xm) values('张丽')"));
    Checkout checkout(f.t.db, Cashier{QStringLiteral("张三"), QStringLiteral("0.80"), QStringLiteral("1")},
                      receipts);
    const struct
    {
        const char* table;
        int waiter;
        QStringList lines;
        Checkout::Payment payment;
    } visits[] = {
        {"A1", 1, {"鱼香肉丝 2 1 open", "鱼香肉丝 -1 1 open", "餐桌费 2 1 open"}, Checkout::Payment::Cash},
        {"A2", 0, {"红烧肉 1 1 open", "可乐 2 0 open"}, Checkout::Payment::OnAccount},
        {"A3", 9, {"啤酒 3 1 open", "红烧肉 2 0.9 open"}, Checkout::Payment::Other}};
    for (const auto& visit : visits) {
        const QString table = QString::fromUtf8(visit.table);
        f.r.seat(table);
        f.t.exec(QStringLiteral("update dj set fws=%1 where czm='%2'").arg(visit.waiter).arg(table));
        for (const QString& line : visit.lines)
            f.sell(table, line);
        checkout.open(table);
        Checkout::Amounts amounts;
        checkout.RecalcTotals(amounts, visit.payment);
        QCOMPARE(checkout.settle({amounts.due, amounts.due, QStringLiteral("记账"), visit.payment}).outcome,
                 Checkout::Outcome::Settled);
    }
    const QString lines =
        Sql::money(f.t.scalar(QStringLiteral("select sum(ysje) from xfmx where jzbj='1'")).toDouble());
    QCOMPARE(lines, QStringLiteral("179.80"));
    QCOMPARE(Sql::money(f.t.scalar(QStringLiteral("select sum(ssje) from jzhz")).toDouble()), lines);
    QCOMPARE(SalesStatistics(f.t.db).compute(Mode::Item, kDay).rows.last().at(4), lines);
    QCOMPARE(joined(WaiterSales(f.t.db).compute(kDay, {})),
             (QStringList{"未指定服务生|可乐|2|10.00|0.00", "未指定服务生|红烧肉|1|0.00|38.50",
                          "张丽|餐桌费|2|0.00|20.00", "张丽|鱼香肉丝|1|0.00|28.00",
                          "未指定服务生|啤酒|3|0.00|24.00", "未指定服务生|红烧肉|2|7.70|69.30",
                          "合计||11|17.70|" + lines}));
    QCOMPARE(joined(WaiterSales(f.t.db).compute(kDay, {QStringLiteral("啤酒")})).last(),
             QStringLiteral("合计||3|0.00|24.00"));
    const QStringList total = SalesStatistics(f.t.db).compute(Mode::Category, kDay).rows.last();
    QCOMPARE(total.at(3), lines);
    // Income: the bills paid in cash or 其他; cost of sales: what the statistics take off for 纯利.
    const ReportTable finance = Finance(f.t.db, f.t.folder()).statement(kDay);
    QCOMPARE(
        finance.rows.at(1).at(1),
        Sql::money(f.t.scalar(QStringLiteral("select sum(ssje) from jzhz where jzfs<>'挂账'")).toDouble()));
    QCOMPARE(finance.rows.at(3).at(1), Sql::money(total.at(6).toDouble() - total.at(3).toDouble()));
}

PELVAR_TEST(TestSalesStatistics)
#include "tst_SalesStatistics.moc"
