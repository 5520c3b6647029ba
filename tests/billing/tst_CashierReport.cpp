#include "CashierReport.h"
#include "Clock.h"
#include "OnAccountBills.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;

namespace {

const QDateTime kDay6(QDate(2026, 12, 6), QTime(0, 0));

// Bills of two days by two cashiers, one with a member.
void bills(TestDatabase& t)
{
    const char* rows[] = {
        "'202612060001','A1',100,10,90,0,'现金','张三','2026-12-06 12:00:00'",
        "'202612060002','A2',50.5,0,50.5,3,'挂账','李四','2026-12-06 09:00:00'",
        "'202612060003','B1',20,20,0,0,'免费','张三','2026-12-06 23:59:59'",
        "'202612070001','A1',30,0,30,0,'现金','李四','2026-12-07 00:00:00'",
    };
    for (const char* row : rows)
        t.exec(u"insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj) values(%1)"_s.arg(
            QString::fromUtf8(row)));
}

QStringList column(const QList<QStringList>& rows, int column)
{
    QStringList texts;
    for (const QStringList& row : rows)
        texts << row.value(column);
    return texts;
}

} // namespace

class tst_CashierReport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::clearFixed(); }

    void detailAndSummary_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("cashier");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("listed"); // bill numbers' last digits, then the 合计 amounts
        QTest::addColumn<QString>("summary");
        const QDateTime end6 = kDay6.addSecs(86399);
        // clang-format off
        QTest::newRow("all of a day, in time order") << kDay6 << end6 << "全部" << "全部" << "0002 0001 0003 合计 170.50|30.00|140.50" << "免费|20.00|0.00|20.00 挂账|0.00|50.50|50.50 现金|10.00|90.00|100.00 合计|30.00|140.50|170.50";
        QTest::newRow("one cashier")                 << kDay6 << end6 << "张三" << "全部" << "0001 0003 合计 120.00|30.00|90.00" << "";
        QTest::newRow("one method, two days")        << kDay6 << end6.addDays(1) << "全部" << "现金" << "0001 0001 合计 130.00|10.00|120.00" << "";
        QTest::newRow("an empty range")              << kDay6.addDays(2) << end6.addDays(2) << "全部" << "全部" << "合计 0.00|0.00|0.00" << "合计|0.00|0.00|0.00";
        // clang-format on
    }

    void detailAndSummary()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QString, cashier);
        QFETCH(QString, method);
        QFETCH(QString, summary);
        TestDatabase t;
        bills(t);
        CashierReport report(t.db);
        QStringList listed;
        for (const QStringList& row : report.bills(start, end, cashier, method))
            listed << (row.first() == CashierReport::kTotal ? row.first() + u' ' + row.mid(2, 3).join(u'|')
                                                            : row.first().right(4));
        QTEST(listed.join(u' '), "listed");
        if (summary.isEmpty())
            return;
        QStringList sums;
        for (const QStringList& row : report.summary(start, end))
            sums << row.join(u'|');
        QCOMPARE(sums.join(u' '), summary);
    }

    void billRowsAndLines()
    {
        TestDatabase t;
        Restaurant restaurant = Restaurant::withMenu(t);
        bills(t);
        restaurant.line("A1", "鱼香肉丝", 2, 28);
        restaurant.line("A1", "鱼香肉丝", -1, 28);
        restaurant.line("A1", "啤酒", 1, 8, 0);
        t.exec(u"update xfmx set jzzdh='202612060001',jzbj='1'"_s);
        CashierReport report(t.db);
        const QList<QStringList> rows = report.bills(kDay6, kDay6.addDays(1), u"全部"_s, u"全部"_s);
        QCOMPARE(column(rows, CashierReport::Member), (QStringList{"3", "*", "*", "*", ""}));
        QCOMPARE(CashierReport::detailSubtitle(kDay6, kDay6.addSecs(86399), u"全部"_s, u"全部"_s),
                 u"起止时间:2026-12-06 00:00:00—2026-12-06 23:59:59      收款方式:全部      收款人:全部"_s);
        QStringList lines;
        for (const CashierReport::LineRow& line : report.lines(u"202612060001"_s))
            lines << line.texts.mid(0, 7).join(u'|') + (line.returned ? u" red"_s
                                                        : line.gift   ? u" orange"_s
                                                                      : u""_s);
        QCOMPARE(lines, (QStringList{"1|鱼香肉丝|A1|2.00|28.00|1.00|56.00",
                                     "2|鱼香肉丝(退)|A1|-1.00|28.00|1.00|-28.00 red",
                                     "3|啤酒(赠)|A1|1.00|8.00|0.00|0.00 orange", "合计|||2.00|||28.00"}));
        // The total row's lines: none.
        QCOMPARE(report.lines(CashierReport::kTotal).size(), 1);
    }

    void onAccountBillSettledTheNextDay()
    {
        TestDatabase t;
        Restaurant restaurant = Restaurant::withMenu(t);
        ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
        const Cashier cashier{u"张三"_s, u"1"_s, u"0"_s};
        Clock::setFixed(Restaurant::kNow);
        // Two tables left on account today.
        for (const QString& table : {u"A1"_s, u"B1"_s}) {
            restaurant.seat(table);
            restaurant.order(table, "红烧肉", 1);
            Checkout checkout(t.db, cashier, printer);
            checkout.open(table);
            t.prompt.answer(Prompt::Answer::Yes);
            QCOMPARE(checkout.settle({u"38.50"_s, {}, u"月结"_s, Payment::OnAccount}).outcome,
                     Checkout::Outcome::Settled);
        }
        Clock::setFixed(Restaurant::kNow.addDays(1));
        OnAccountBills onAccount(t.db);
        const QDate day6(2026, 12, 6);
        const QList<QStringList> listed = onAccount.bills(day6, day6.addDays(1), {}, {});
        QCOMPARE(column(listed, 0), (QStringList{"202612060001", "202612060002", "合计"}));
        QCOMPARE(onAccount.lines(u"202612060001"_s).first().mid(0, 3),
                 (QStringList{"202612060001", "红烧肉", "1.00"}));
        QCOMPARE(column(onAccount.bills(day6, day6, u"0002"_s, {}), 0),
                 (QStringList{"202612060002", "合计"}));

        t.prompt.clear();
        QVERIFY(!OnAccountBills::toSettle(t.prompt, false, listed.first()));
        QVERIFY(!OnAccountBills::toSettle(t.prompt, true, {}));
        QVERIFY(!OnAccountBills::toSettle(t.prompt, true, listed.last()));
        QCOMPARE(t.prompt.texts(), (QStringList{"你没有此操作权限!", "请选定要结账的挂账账单!"}));

        // Settled through the checkout with the other bill joined: one bill of the new day.
        Checkout checkout(t.db, Cashier{u"李经理"_s, u"1"_s, u"0"_s}, printer);
        checkout.openOnAccount(*OnAccountBills::toSettle(t.prompt, true, listed.first()));
        QVERIFY(checkout.moveIn(u"202612060002"_s));
        t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(checkout.settle({u"77.00"_s, u"100"_s, u"月结"_s, Payment::Cash}).billNumber,
                 u"202612070001"_s);
        QCOMPARE(column(onAccount.bills(day6, day6.addDays(1), {}, {}), 0), QStringList{"合计"});
        CashierReport report(t.db);
        QCOMPARE(column(report.bills(kDay6, kDay6.addSecs(86399), u"全部"_s, u"全部"_s), 0),
                 QStringList{"合计"});
        const QList<QStringList> today =
            report.bills(kDay6.addDays(1), kDay6.addDays(2), u"全部"_s, u"全部"_s);
        QCOMPARE(today.first().mid(0, 8).join(u'|'), u"202612070001|A1|77.00|0.00|77.00|*|现金|李经理"_s);
        QCOMPARE(report.lines(u"202612070001"_s).size(), 3);
    }
};

PELVAR_TEST(tst_CashierReport)
#include "tst_CashierReport.moc"
