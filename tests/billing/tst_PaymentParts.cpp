#include "BillModification.h"
#include "CashierReport.h"
#include "FixedClockTest.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;
using Part = PaymentParts::Part;
Q_DECLARE_METATYPE(PaymentParts::Part)

namespace {

// The restaurant with the methods of a new file (银行卡, 微信, 支付宝) and a table A1 of
// 红烧肉 ×2 and 可乐 ×2 (87.00), settled by 张三.
struct Fixture
{
    Fixture()
    {
        restaurant.seat("A1");
        restaurant.order("A1", "红烧肉", 2);
        restaurant.order("A1", "可乐", 2);
    }
    Checkout::Result settle(const QString& received, const QString& paid, const QList<Part>& parts)
    {
        Checkout checkout(t.db, cashier, printer);
        checkout.open("A1");
        t.prompt.answer(Prompt::Answer::Yes); // 是否真的要结账？
        return checkout.settle({received, paid, {}, Payment::Cash, parts});
    }
    // 收银汇总 of the day as "method:discount/received/consumption" rows.
    QStringList summary()
    {
        QStringList rows;
        for (const QStringList& row :
             CashierReport(t.db).summary(Restaurant::kNow.addDays(-1), Restaurant::kNow.addDays(1)))
            rows << row[0] + u':' + row[1] + u'/' + row[2] + u'/' + row[3];
        return rows;
    }
    QString value(const QString& statement) { return t.scalar(statement); }
    QString parts()
    {
        return value(
            u"select group_concat(jzfs||printf('%.2f',je),' ') from (select * from jzfk order by id) parts"_s);
    }
    BillModification::Bill bill() { return restaurant.listedBill(); }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    Cashier cashier{u"张三"_s, u"1"_s, u"1"_s};
};

} // namespace

class tst_PaymentParts : public FixedClockTest
{
    Q_OBJECT

private slots:
    // What a bill stores and how 收银汇总 counts it, for parts beside the cash.
    void storedAndSummed_data()
    {
        QTest::addColumn<QString>("received");
        QTest::addColumn<QList<Part>>("parts");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("stored"); // jzfk, cash first
        QTest::addColumn<QStringList>("summary");
        QTest::newRow("cash alone, as always")
            << u"86.00"_s << QList<Part>{} << u"现金"_s << QString()
            << QStringList{u"现金:1.00/86.00/87.00"_s, u"合计:1.00/86.00/87.00"_s};
        QTest::newRow("微信 100 of it is the whole bill")
            << u"87"_s << QList<Part>{{u"微信"_s, 8700}} << u"微信"_s << QString()
            << QStringList{u"微信:0.00/87.00/87.00"_s, u"合计:0.00/87.00/87.00"_s};
        QTest::newRow("微信 and the rest in cash")
            << u"86"_s << QList<Part>{{u"微信"_s, 5000}} << u"混合"_s << u"现金36.00 微信50.00"_s
            << QStringList{u"微信:0.00/50.00/50.00"_s, u"现金:1.00/36.00/37.00"_s,
                           u"合计:1.00/86.00/87.00"_s};
        QTest::newRow("two methods, one twice, no cash")
            << u"87"_s << QList<Part>{{u"银行卡"_s, 3000}, {u"其他"_s, 7}, {u"银行卡"_s, 5693}} << u"混合"_s
            << u"银行卡86.93 其他0.07"_s
            << QStringList{u"其他:0.00/0.07/0.07"_s, u"银行卡:0.00/86.93/86.93"_s,
                           u"合计:0.00/87.00/87.00"_s};
    }
    void storedAndSummed()
    {
        QFETCH(QString, received);
        QFETCH(QList<Part>, parts);
        QFETCH(QString, method);
        QFETCH(QString, stored);
        QFETCH(QStringList, summary);
        Fixture f;
        QCOMPARE(f.settle(received, u"100"_s, parts).outcome, Checkout::Outcome::Settled);
        QCOMPARE(f.value(u"select jzfs from jzhz"_s), method);
        QCOMPARE(f.parts(), stored);
        QCOMPARE(f.summary(), summary);
        // The detail list finds the bill under each of its methods.
        for (const Part& part : parts)
            QCOMPARE(CashierReport(f.t.db)
                         .bills(Restaurant::kNow.addDays(-1), Restaurant::kNow.addDays(1),
                                CashierReport::kAll, part.method)
                         .size(),
                     2);
    }

    void checks_data()
    {
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QList<Part>>("parts");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("parts above 实收金额")
            << u"87"_s << u""_s << QList<Part>{{u"微信"_s, 8701}} << u"分项付款合计不能大于实收金额!"_s;
        QTest::newRow("cash short of what the parts leave")
            << u"87"_s << u"36.99"_s << QList<Part>{{u"微信"_s, 5000}}
            << u"支付金额不足,如果要抹零,请更改实收金额!"_s;
        QTest::newRow("a part of nothing")
            << u"87"_s << u"87"_s << QList<Part>{{u"微信"_s, 0}} << u"分项付款金额不正确!"_s;
        QTest::newRow("cash covers the rest")
            << u"87"_s << u"37"_s << QList<Part>{{u"微信"_s, 5000}} << QString();
        QTest::newRow("no cash left to pay")
            << u"87"_s << QString() << QList<Part>{{u"微信"_s, 8700}} << QString();
    }
    void checks()
    {
        QFETCH(QString, received);
        QFETCH(QString, paid);
        QFETCH(QList<Part>, parts);
        QFETCH(QString, refusal);
        Fixture f;
        const Checkout::Result result = f.settle(received, paid, parts);
        QCOMPARE(result.outcome, refusal.isEmpty() ? Checkout::Outcome::Settled : Checkout::Outcome::Invalid);
        QCOMPARE(f.t.prompt.texts().first(), refusal.isEmpty() ? u"是否真的要结账？"_s : refusal);
        QCOMPARE(f.value(u"select count(*) from jzhz"_s), refusal.isEmpty() ? u"1"_s : u"0"_s);
    }

    // The change is on the cash part only.
    void changeOnTheCashPart()
    {
        Checkout::Amounts amounts;
        amounts.received = u"87.00"_s;
        amounts.paid = u"40"_s;
        amounts.parts = u"50.00"_s;
        Checkout::paidChanged(amounts);
        QCOMPARE(amounts.change, u"3.00"_s);
    }

    // A mixed bill modified, then deleted: the parts follow the bill, and the sums per method
    // equal the parts at every step.
    void modifiedAndDeleted()
    {
        Fixture f;
        QCOMPARE(f.settle(u"87"_s, u"40"_s, {{u"微信"_s, 5000}}).outcome, Checkout::Outcome::Settled);
        const QString number = f.value(u"select zdh from jzhz"_s);
        QCOMPARE(PaymentParts::beside(f.t.db, number), (QList<Part>{{u"微信"_s, 5000}}));

        BillModification m(f.t.db, f.cashier, f.printer);
        m.open(f.bill());
        Checkout::Focus focus = Checkout::Focus::None;
        f.t.prompt.answer(Prompt::Answer::Yes); // 是否真的要修改该账单？
        QCOMPARE(m.save({u"87"_s, {}, {}, Payment::Cash, {{u"支付宝"_s, 2000}, {u"银行卡"_s, 6700}}}, focus),
                 BillModification::Outcome::Saved);
        QCOMPARE(f.value(u"select jzfs from jzhz"_s), u"混合"_s);
        QCOMPARE(f.parts(), u"支付宝20.00 银行卡67.00"_s);
        QCOMPARE(f.summary(), (QStringList{u"支付宝:0.00/20.00/20.00"_s, u"银行卡:0.00/67.00/67.00"_s,
                                           u"合计:0.00/87.00/87.00"_s}));

        // Back to cash alone: the parts go.
        BillModification back(f.t.db, f.cashier, f.printer);
        back.open(f.bill());
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(back.save({u"87"_s, u"87"_s, {}, Payment::Cash}, focus), BillModification::Outcome::Saved);
        QCOMPARE(f.value(u"select jzfs from jzhz"_s) + f.parts(), u"现金"_s);

        BillModification mixed(f.t.db, f.cashier, f.printer);
        mixed.open(f.bill());
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(mixed.save({u"87"_s, u"37"_s, {}, Payment::Cash, {{u"微信"_s, 5000}}}, focus),
                 BillModification::Outcome::Saved);
        BillModification gone(f.t.db, f.cashier, f.printer);
        gone.open(f.bill());
        while (!gone.lines().isEmpty())
            gone.removeLine(0);
        f.t.prompt.answer(Prompt::Answer::Yes); // 无消费记录，顾客是否离店!
        QCOMPARE(gone.save({u"0"_s, {}, {}, Payment::Cash}, focus), BillModification::Outcome::Deleted);
        QCOMPARE(f.value(u"select count(*) from jzfk"_s), u"0"_s);
        QCOMPARE(f.summary(), QStringList{u"合计:0.00/0.00/0.00"_s});
    }

    // A bill left on account is settled in parts under its new number.
    void onAccountSettledInParts()
    {
        Fixture f;
        Checkout first(f.t.db, f.cashier, f.printer);
        first.open("A1");
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(first.settle({u"87"_s, {}, u"月结"_s, Payment::OnAccount}).outcome,
                 Checkout::Outcome::Settled);
        Checkout later(f.t.db, f.cashier, f.printer);
        later.openOnAccount({first.billNumber(), u"A1"_s, u"*"_s, u"87.00"_s, u"月结"_s});
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(later.settle({u"87.00"_s, u"10"_s, u"月结"_s, Payment::Cash, {{u"银行卡"_s, 8000}}}).outcome,
                 Checkout::Outcome::Settled);
        QCOMPARE(f.value(u"select group_concat(zdh||jzfs) from jzhz"_s), later.billNumber() + u"混合"_s);
        QCOMPARE(f.parts(), u"现金7.00 银行卡80.00"_s);
        QCOMPARE(f.summary(), (QStringList{u"现金:0.00/7.00/7.00"_s, u"银行卡:0.00/80.00/80.00"_s,
                                           u"合计:0.00/87.00/87.00"_s}));
    }

    // The receipt lists the parts, and the cash handed over with its change.
    void receiptListsTheParts()
    {
        Receipt r(Receipt::Kind::Checkout, {false, {}, u"老王饭店"_s, {}, {}, {}, u"0"_s}, u"我的餐厅"_s);
        r.setTotals({u"4.00"_s, u"87.00"_s, u"0.00"_s, u"87.00"_s, u"40.00"_s, u"3.00"_s, u"混合"_s,
                     Receipt::paidParts({{u"微信"_s, 5000}}, u"87.00"_s)});
        const QString text = r.plain();
        QVERIFY2(text.contains(
                     u"结账方式:　　混合\n  现金:         ￥37.00\n  微信:         ￥50.00\n预收金额:      "
                     "￥40.00\n找零金额:      ￥3.00"_s),
                 qPrintable(text));
    }

    void namedMethods()
    {
        TestDatabase t;
        QCOMPARE(PaymentParts::partMethods(t.db),
                 (QStringList{u"银行卡"_s, u"微信"_s, u"支付宝"_s, u"其他"_s}));
        QVERIFY(PaymentParts::addMethod(t.db, u" 美团 "_s));
        for (const QString& refused : {u"现金"_s, u"微信"_s, u"混合"_s}) {
            QVERIFY(!PaymentParts::addMethod(t.db, refused));
            QCOMPARE(t.prompt.texts().last(), u"付款方式“"_s + refused + u"”已存在!"_s);
        }
        QVERIFY(PaymentParts::removeMethod(t.db, u"微信"_s));
        QCOMPARE(PaymentParts::named(t.db), (QStringList{u"银行卡"_s, u"支付宝"_s, u"美团"_s}));
    }
};

PELVAR_TEST(tst_PaymentParts)
#include "tst_PaymentParts.moc"
