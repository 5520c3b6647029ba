#include "Checkout.h"
#include "Clock.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "Sql.h"
#include "TestMain.h"

#include <memory>
#include <QTest>

using Payment = Checkout::Payment;
using Outcome = Checkout::Outcome;
using Focus = Checkout::Focus;

Q_DECLARE_METATYPE(Checkout::Payment)
Q_DECLARE_METATYPE(Checkout::Focus)

namespace {

struct RawJob
{
    QString document;
    QString printer;
    QString text;
};

// A fresh restaurant with a checkout for the cashier 张三 (lowest ratio 0.80, rounding-off up to 1).
struct Fixture
{
    Fixture()
        : restaurant(Restaurant::withMenu(t)),
          printer(t.db, QStringLiteral("我的餐厅"),
                  [this](const QString& document, const QString& name, const QString& text) {
                      jobs.append({document, name, text});
                      return true;
                  }),
          checkout(t.db, Cashier{QStringLiteral("张三"), QStringLiteral("0.80"), QStringLiteral("1")},
                   printer)
    {
    }

    QString value(const QString& statement) { return t.scalar(statement); }
    int count(const QString& statement) { return t.scalar(statement).toInt(); }

    TestDatabase t;
    Restaurant restaurant;
    QList<RawJob> jobs;
    ReceiptPrinter printer;
    Checkout checkout;
};

Checkout::Entry entry(const QString& received, const QString& paid, Payment payment = Payment::Cash,
                      const QString& note = QString())
{
    return {received, paid, note, payment};
}

} // namespace

class tst_Checkout : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    void opensTheTablesGroup();
    void totalsAndLines();
    void amountFieldsWhileTyping();
    void checks_data();
    void checks();
    void roundingOffComparedInCents();
    void settlesEachPaymentMethod_data();
    void settlesEachPaymentMethod();
    void settlesAGroupAndAnotherGroup();
    void subTablesDoNotMoveAlone();
    void memberPickAndCancel();
    void discountScopes();
    void memberTotalRaisedAtOnce();
    void leavingWithoutConsumption();
    void tableWithoutRegistrationIsFreed();
    void failureLeavesNothingWritten();
    void numberTakenMeanwhileUsesTheNext();
    void secondBillOfTheDay();
    void receiptFollowsTheCommit();
    void onAccountSettlement();
    void preReceipt();
};

void tst_Checkout::opensTheTablesGroup()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.seat(QStringLiteral("B2"), QStringLiteral("B1"));
    f.restaurant.seat(QStringLiteral("C1"));

    // Opened from a sub-table, the checkout takes its whole group under the main table.
    f.checkout.open(QStringLiteral("A2"));
    QVERIFY(f.checkout.hasRoot());
    QCOMPARE(f.checkout.title(), QStringLiteral("顾客结账"));
    QCOMPARE(f.checkout.billNumber(), QStringLiteral("202612060001"));
    QCOMPARE(f.checkout.rootText(), QStringLiteral("(结账单号)202612060001"));
    QCOMPARE(f.checkout.area().size(), 1);
    QCOMPARE(f.checkout.area().first().name, QStringLiteral("A1"));
    QCOMPARE(f.checkout.area().first().tables, QStringList{QStringLiteral("A2")});
    QCOMPARE(f.checkout.inStore().size(), 2);
    QCOMPARE(f.checkout.inStore().at(0).name, QStringLiteral("B1"));
    QCOMPARE(f.checkout.inStore().at(0).tables, QStringList{QStringLiteral("B2")});
    QCOMPARE(f.checkout.inStore().at(1).name, QStringLiteral("C1"));
}

void tst_Checkout::totalsAndLines()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2, 0.9); // 56.00, due 50.40
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), -1,
                       0.9);                                                // return: -28.00, due -25.20
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("啤酒"), 3, 0); // gift: 24.00, due 0
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("红烧肉"), 1);  // 38.50
    f.checkout.open(QStringLiteral("A1"));

    Checkout::Amounts amounts;
    amounts.paid = QStringLiteral("100");
    f.checkout.RecalcTotals(amounts, Payment::Cash);
    QCOMPARE(amounts.quantity, QStringLiteral("5.00"));
    QCOMPARE(amounts.gross, QStringLiteral("90.50"));
    QCOMPARE(amounts.due, QStringLiteral("63.70"));
    QCOMPARE(amounts.discount, QStringLiteral("26.80"));
    QCOMPARE(amounts.change, QStringLiteral("36.30"));

    f.checkout.RecalcTotals(amounts, Payment::Free);
    QCOMPARE(amounts.discount, QStringLiteral("90.50"));
    QCOMPARE(amounts.received, QStringLiteral("0.00"));

    const Checkout::Lines all = f.checkout.ShowLines();
    QCOMPARE(all.lines.size(), 4);
    QCOMPARE(all.lines.at(1).shownItem, QStringLiteral("鱼香肉丝(退)"));
    QVERIFY(all.lines.at(1).returned);
    QCOMPARE(all.lines.at(2).shownItem, QStringLiteral("啤酒(赠)"));
    QVERIFY(all.lines.at(2).gift);
    QCOMPARE(all.lines.at(2).discountAmount, QStringLiteral("24.00"));
    QCOMPARE(all.lines.at(0).dueAmount, QStringLiteral("50.40"));
    QCOMPARE(all.lines.at(0).time, QStringLiteral("2026-12-06 11:05:00"));
    QCOMPARE(all.dueSum, QStringLiteral("63.70"));
    QCOMPARE(all.discountSum, QStringLiteral("26.80"));

    QCOMPARE(f.checkout.ShowLines(QStringLiteral("A2")).lines.size(), 2);
    QCOMPARE(Checkout::linesCaption(QStringLiteral("A2")), QStringLiteral("餐桌:A2消费明细"));
}

void tst_Checkout::amountFieldsWhileTyping()
{
    Checkout::Amounts a;
    a.gross = QStringLiteral("128.50");
    a.due = QStringLiteral("128.50");
    a.received = QStringLiteral("127.5");
    a.paid = QStringLiteral("200");
    Checkout::receivedChanged(a);
    QCOMPARE(a.discount, QStringLiteral("1.00"));
    QCOMPARE(a.change, QStringLiteral("72.50"));
    a.paid = QStringLiteral("127.4");
    Checkout::paidChanged(a);
    QCOMPARE(a.change, QStringLiteral("-0.10"));
    Checkout::paymentChosen(a, Payment::Free);
    QCOMPARE(a.received, QStringLiteral("0"));
    QCOMPARE(a.discount, QStringLiteral("128.50"));
    QVERIFY(!Checkout::paidEnabled(Payment::OnAccount));
    QVERIFY(Checkout::receivedEnabled(Payment::OnAccount));
    QVERIFY(!Checkout::receivedEnabled(Payment::Free));
}

void tst_Checkout::checks_data()
{
    QTest::addColumn<double>("ratio"); // on one 鱼香肉丝 ×5 (140.00) and one 红烧肉 (38.50)
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<Payment>("payment");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<Focus>("focus");

    const QString overGross = QStringLiteral("实收金额不能大于消费金额!");
    const QString overDue = QStringLiteral("实收金额不能高于应收金额，如果要优惠请通过'折扣'优惠!");
    const QString roundOff =
        QStringLiteral("抹零金额超出当前操作员最高抹零金额:1元，如果要优惠请通过'折扣'优惠!");
    const QString shortPaid = QStringLiteral("支付金额不足,如果要抹零,请更改实收金额!");

    QTest::newRow("more than the consumption")
        << 1.0 << "178.51"
        << "200" << Payment::Cash << "" << overGross << Focus::Received;
    QTest::newRow("more than due after a discount")
        << 0.9 << "170"
        << "200" << Payment::Cash << "" << overDue << Focus::Received;
    QTest::newRow("nothing received")
        << 1.0 << "0"
        << "200" << Payment::Cash << "" << QStringLiteral("实收金额不正确!") << Focus::Received;
    QTest::newRow("not a number") << 1.0 << "abc"
                                  << "200" << Payment::Other << "" << QStringLiteral("实收金额不正确!")
                                  << Focus::Received;
    QTest::newRow("negative") << 1.0 << "-5"
                              << "200" << Payment::Cash << "" << QStringLiteral("实收金额不正确!")
                              << Focus::Received;
    QTest::newRow("rounding-off at the limit") << 1.0 << "177.50"
                                               << "177.50" << Payment::Cash << ""
                                               << "" << Focus::None;
    QTest::newRow("rounding-off over the limit")
        << 1.0 << "177.49"
        << "200" << Payment::Cash << "" << roundOff << Focus::Received;
    QTest::newRow("rounding-off over the limit on account")
        << 1.0 << "170"
        << "" << Payment::OnAccount << "记账" << roundOff << Focus::Received;
    QTest::newRow("cash short") << 1.0 << "178.50"
                                << "178.49" << Payment::Cash << "" << shortPaid << Focus::Paid;
    QTest::newRow("other short") << 1.0 << "178.50"
                                 << "" << Payment::Other << "" << shortPaid << Focus::Paid;
    QTest::newRow("on account takes no payment") << 1.0 << "178.50"
                                                 << "" << Payment::OnAccount << "记账"
                                                 << "" << Focus::None;
    QTest::newRow("on account needs a note")
        << 1.0 << "178.50"
        << "" << Payment::OnAccount << " " << QStringLiteral("挂账账单请输入备注信息!") << Focus::Note;
    QTest::newRow("free needs a note")
        << 1.0 << "0"
        << "" << Payment::Free << "" << QStringLiteral("免费账单请输入备注信息!") << Focus::Note;
    QTest::newRow("free ignores a typed amount") << 1.0 << "50"
                                                 << "" << Payment::Free << "老板请客"
                                                 << "" << Focus::None;
}

void tst_Checkout::checks()
{
    QFETCH(double, ratio);
    QFETCH(QString, received);
    QFETCH(QString, paid);
    QFETCH(Payment, payment);
    QFETCH(QString, note);
    QFETCH(QString, message);
    QFETCH(Focus, focus);

    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 5, ratio);
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.checkout.open(QStringLiteral("A1"));
    f.t.prompt.answer(Prompt::Answer::Yes); // 是否真的要结账？

    const Checkout::Result result = f.checkout.settle(entry(received, paid, payment, note));
    if (message.isEmpty()) {
        QCOMPARE(result.outcome, Outcome::Settled);
        QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz")), 1);
        return;
    }
    QCOMPARE(result.outcome, Outcome::Invalid);
    QCOMPARE(result.focus, focus);
    QCOMPARE(f.t.prompt.texts(), QStringList{message});
    QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz")), 0);
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzbj='0'")), 2);
}

void tst_Checkout::roundingOffComparedInCents()
{
    // 16.10 - 15.10 is a little more than 1 in binary doubles; in cents it is exactly the limit.
    Fixture f;
    f.t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(10,'茶位',5.1,'酒水')"));
    f.t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(11,'米饭',11,'热菜')"));
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("茶位"), 1);
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("米饭"), 1);
    f.checkout.open(QStringLiteral("A1"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("15.1"), QStringLiteral("15.1"))).outcome,
             Outcome::Settled);
    QCOMPARE(f.value(QStringLiteral("select dzje from jzhz")), QStringLiteral("1"));
}

void tst_Checkout::settlesEachPaymentMethod_data()
{
    QTest::addColumn<Payment>("payment");
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("discount");

    // 鱼香肉丝 ×2 + 红烧肉 = 94.50
    QTest::newRow("cash, rounded off") << Payment::Cash << "94"
                                       << "100"
                                       << "现金"
                                       << "0.50";
    QTest::newRow("on account") << Payment::OnAccount << "94.50"
                                << ""
                                << "挂账"
                                << "0.00";
    QTest::newRow("free") << Payment::Free << "0"
                          << ""
                          << "免费"
                          << "94.50";
    QTest::newRow("other") << Payment::Other << "94.50"
                           << "94.50"
                           << "其他"
                           << "0.00";
}

void tst_Checkout::settlesEachPaymentMethod()
{
    QFETCH(Payment, payment);
    QFETCH(QString, received);
    QFETCH(QString, paid);
    QFETCH(QString, method);
    QFETCH(QString, discount);

    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2);
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.checkout.open(QStringLiteral("A1"));
    f.t.prompt.answer(Prompt::Answer::Yes);

    const Checkout::Result result =
        f.checkout.settle(entry(received, paid, payment, QStringLiteral("王总's 单")));
    QCOMPARE(result.outcome, Outcome::Settled);
    QCOMPARE(result.billNumber, QStringLiteral("202612060001"));
    QCOMPARE(f.t.prompt.texts(),
             (QStringList{QStringLiteral("是否真的要结账？"), QStringLiteral("没有选定小票打印机!"),
                          QStringLiteral("结账完毕!")}));
    QCOMPARE(f.t.prompt.shown().at(1).caption, QStringLiteral("Orvo餐饮收银系统"));

    Recordset bill = f.t.db.query(QStringLiteral("select * from jzhz"));
    QCOMPARE(bill.recordCount(), 1);
    QCOMPARE(bill.getString(QStringLiteral("zdh")), QStringLiteral("202612060001"));
    QCOMPARE(bill.getString(QStringLiteral("czm")), QStringLiteral("A1"));
    QCOMPARE(Sql::money(bill.getDouble(QStringLiteral("xfje"))), QStringLiteral("94.50"));
    QCOMPARE(Sql::money(bill.getDouble(QStringLiteral("dzje"))), discount);
    QCOMPARE(Sql::money(bill.getDouble(QStringLiteral("ssje"))),
             Sql::money(payment == Payment::Free ? 0 : received.toDouble()));
    QCOMPARE(bill.getString(QStringLiteral("jzfs")), method);
    QCOMPARE(bill.getString(QStringLiteral("jzr")), QStringLiteral("张三"));
    QCOMPARE(bill.getString(QStringLiteral("bz")), QStringLiteral("王总's 单"));
    QCOMPARE(bill.getString(QStringLiteral("hybh")), QStringLiteral("0"));
    QCOMPARE(bill.getString(QStringLiteral("jzsj")), QStringLiteral("2026-12-06 12:30:05"));
    QCOMPARE(bill.getString(QStringLiteral("jzrq")), QStringLiteral("2026-12-06"));

    // The table is free, the visit has left with the bill, the lines are settled.
    QCOMPARE(f.value(QStringLiteral(
                 "select zyzt||'|'||xfhj||'|'||jdsj||'|'||yzrs||'|'||bz from cz where czm='A1'")),
             QStringLiteral("空闲|0.0|||"));
    QCOMPARE(f.value(QStringLiteral("select xfzt||'|'||ldsj||'|'||jzdh from dj where czm='A1'")),
             QStringLiteral("离店|2026-12-06 12:30:05|202612060001"));
    QCOMPARE(f.count(QStringLiteral(
                 "select count(*) from xfmx where jzbj='1' and jzzdh='202612060001' and hybh=0")),
             2);
    // The money handed over is not stored anywhere.
    QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz where ssje=100 or xfje=100 or dzje=100")), 0);
}

void tst_Checkout::settlesAGroupAndAnotherGroup()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.seat(QStringLiteral("B2"), QStringLiteral("B1"));
    f.restaurant.seat(QStringLiteral("C1"));
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("鱼香肉丝"), 1);
    f.restaurant.order(QStringLiteral("B2"), QStringLiteral("红烧肉"), 1);
    f.restaurant.order(QStringLiteral("C1"), QStringLiteral("可乐"), 1);
    f.checkout.open(QStringLiteral("A2"));
    QVERIFY(f.checkout.moveIn(QStringLiteral("B1")));

    Checkout::Amounts amounts;
    f.checkout.RecalcTotals(amounts, Payment::Cash);
    QCOMPARE(amounts.gross, QStringLiteral("66.50"));

    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("66.50"), QStringLiteral("70"))).outcome,
             Outcome::Settled);
    QCOMPARE(f.value(QStringLiteral("select czm from jzhz")), QStringLiteral("A1"));
    QCOMPARE(
        f.count(QStringLiteral("select count(*) from cz where zyzt='空闲' and czm in ('A1','A2','B1','B2')")),
        4);
    QCOMPARE(f.count(QStringLiteral("select count(*) from dj where jzdh='202612060001' and xfzt='离店'")), 4);
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzzdh='202612060001'")), 2);
    // The group left out stays open.
    QCOMPARE(f.value(QStringLiteral("select zyzt from cz where czm='C1'")), QStringLiteral("占用"));
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where czm='C1' and jzbj='0'")), 1);
}

void tst_Checkout::subTablesDoNotMoveAlone()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.seat(QStringLiteral("B2"), QStringLiteral("B1"));
    f.checkout.open(QStringLiteral("A1"));

    QVERIFY(!f.checkout.moveIn(QStringLiteral("B2")));
    QVERIFY(!f.checkout.moveOut(QStringLiteral("A2")));
    QCOMPARE(f.t.prompt.texts(), (QStringList{QStringLiteral("不能对子餐桌进行此操作!"),
                                              QStringLiteral("不能进行此操作，请拆分账单!")}));
    QCOMPARE(f.checkout.area().size(), 1);
    QCOMPARE(f.checkout.inStore().size(), 1);

    QVERIFY(f.checkout.moveOut(QStringLiteral("A1")));
    QVERIFY(f.checkout.area().isEmpty());
    f.t.prompt.clear();
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("1"), QStringLiteral("1"))).outcome, Outcome::Stopped);
    QCOMPARE(f.t.prompt.texts(), QStringList{QStringLiteral("请添加要结账餐桌!")});
}

void tst_Checkout::memberPickAndCancel()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    const qint64 dish = f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 2, 0.9);
    const qint64 beer = f.restaurant.order(QStringLiteral("A1"), QStringLiteral("啤酒"), 2);    // no discount
    const qint64 gift = f.restaurant.order(QStringLiteral("A2"), QStringLiteral("可乐"), 1, 0); // gift
    const qint64 pork = f.restaurant.order(QStringLiteral("A2"), QStringLiteral("红烧肉"), 2);
    f.restaurant.seat(QStringLiteral("B1"));
    const qint64 other = f.restaurant.order(QStringLiteral("B1"), QStringLiteral("红烧肉"), 1);
    const QString member = f.restaurant.member(QStringLiteral("李四"), 0.8);
    f.checkout.open(QStringLiteral("A1"));

    const auto line = [&](qint64 number) {
        return f.value(
            QStringLiteral("select dzbl||'|'||dzje||'|'||ysje from xfmx where xfbh=%1").arg(number));
    };
    QVERIFY(f.checkout.pickMember(*MemberSearch(f.t.db).find(member)));
    QCOMPARE(f.checkout.memberName(), QStringLiteral("李四"));
    QCOMPARE(f.checkout.memberRatio(), QStringLiteral("0.80"));
    QCOMPARE(line(dish), QStringLiteral("0.8|11.2|44.8"));
    QCOMPARE(line(beer), QStringLiteral("1.0|0.0|16.0"));
    QCOMPARE(line(gift), QStringLiteral("0.0|5.0|0.0"));
    QCOMPARE(line(pork), QStringLiteral("0.8|15.4|61.6"));
    QCOMPARE(line(other), QStringLiteral("1.0|0.0|38.5"));
    // The tables' running totals follow.
    QCOMPARE(f.value(QStringLiteral("select xfhj from cz where czm='A1'")), QStringLiteral("60.8"));
    QCOMPARE(f.value(QStringLiteral("select xfhj from dj where czm='A2'")), QStringLiteral("61.6"));

    QVERIFY(f.checkout.cancelMember());
    QVERIFY(f.checkout.memberNumber().isEmpty());
    // Back to 1, including the line discounted by hand before.
    QCOMPARE(line(dish), QStringLiteral("1.0|0.0|56.0"));
    QCOMPARE(line(gift), QStringLiteral("0.0|5.0|0.0"));
    QCOMPARE(line(pork), QStringLiteral("1.0|0.0|77.0"));
    QCOMPARE(f.value(QStringLiteral("select xfhj from cz where czm='A1'")), QStringLiteral("72"));
    QVERIFY(f.t.prompt.texts().isEmpty());
}

void tst_Checkout::discountScopes()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    const qint64 first = f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 1);
    const qint64 second = f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.checkout.open(QStringLiteral("A1"));
    const auto ratio = [&](qint64 number) {
        return f.value(QStringLiteral("select dzbl from xfmx where xfbh=%1").arg(number));
    };

    QVERIFY(f.checkout.ApplyDiscountRatio(QStringLiteral("0.50"), {}));
    QCOMPARE(ratio(first), QStringLiteral("1"));
    QCOMPARE(ratio(second), QStringLiteral("1"));

    QVERIFY(f.checkout.ApplyDiscountRatio(QStringLiteral("0.50"), {second}));
    QCOMPARE(ratio(first), QStringLiteral("1"));
    QCOMPARE(ratio(second), QStringLiteral("0.5"));

    // A ratio of 0 makes the line a gift line: later discounts pass it by.
    QVERIFY(f.checkout.ApplyDiscountRatio(QStringLiteral("0.00"), {first}));
    QVERIFY(f.checkout.ApplyDiscountRatio(QStringLiteral("0.90")));
    QCOMPARE(ratio(first), QStringLiteral("0"));
    QCOMPARE(ratio(second), QStringLiteral("0.9"));
    QCOMPARE(f.value(QStringLiteral("select xfhj from cz where czm='A1'")), QStringLiteral("34.65"));

    // A failure changes nothing.
    f.t.exec(
        QStringLiteral("create trigger refuse before update on cz begin select raise(abort,'locked'); end"));
    QVERIFY(!f.checkout.ApplyDiscountRatio(QStringLiteral("1.00")));
    QCOMPARE(f.t.prompt.last(), QStringLiteral("打折发生异常,打折失败!"));
    QCOMPARE(ratio(second), QStringLiteral("0.9"));
}

void tst_Checkout::memberTotalRaisedAtOnce()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 2);
    const QString member = f.restaurant.member(QStringLiteral("李四"), 1);
    f.t.exec(QStringLiteral("update hy set xfze=100 where bh=") + member);
    f.checkout.open(QStringLiteral("A1"));
    QVERIFY(f.checkout.pickMember(*MemberSearch(f.t.db).find(member)));

    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(
        f.checkout
            .settle(entry(QStringLiteral("76.50"), QString(), Payment::OnAccount, QStringLiteral("月结")))
            .outcome,
        Outcome::Settled);
    QCOMPARE(f.value(QStringLiteral("select xfze from hy where bh=") + member), QStringLiteral("176.5"));
    QCOMPARE(f.value(QStringLiteral("select hybh from jzhz")), member);
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where hybh=") + member), 1);
}

void tst_Checkout::leavingWithoutConsumption()
{
    for (const Prompt::Answer answer : {Prompt::Answer::No, Prompt::Answer::Yes}) {
        Fixture f;
        f.restaurant.seat(QStringLiteral("A1"));
        f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
        f.restaurant.order(QStringLiteral("A2"), QStringLiteral("可乐"), 1);
        f.restaurant.order(QStringLiteral("A2"), QStringLiteral("可乐"), -1);
        f.t.exec(
            QStringLiteral("insert into dj(djbh,czm,xfzt,jzdh) values('old','A1','离店','202612010001')"));
        f.t.exec(QStringLiteral(
            "insert into xfmx(czm,xfxm,sl,jzbj,jzzdh) values('A1','可乐',1,'1','202612010001')"));
        f.checkout.open(QStringLiteral("A1"));
        f.t.prompt.answer(answer);

        const Checkout::Result result = f.checkout.settle(entry(QStringLiteral("0"), QString()));
        QCOMPARE(f.t.prompt.texts(), QStringList{QStringLiteral("无消费记录，顾客是否离店？")});
        QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz")), 0);
        if (answer == Prompt::Answer::No) {
            QCOMPARE(result.outcome, Outcome::Stopped);
            QCOMPARE(f.count(QStringLiteral("select count(*) from dj where xfzt='占用'")), 2);
            continue;
        }
        QCOMPARE(result.outcome, Outcome::Released);
        QCOMPARE(f.count(QStringLiteral("select count(*) from cz where zyzt='空闲' and czm in ('A1','A2')")),
                 2);
        QCOMPARE(f.count(QStringLiteral("select count(*) from dj where xfzt='占用'")), 0);
        QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzzdh is null")), 0);
        // The table's history stays.
        QCOMPARE(f.count(QStringLiteral("select count(*) from dj where djbh='old'")), 1);
        QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzzdh='202612010001'")), 1);
    }
}

void tst_Checkout::tableWithoutRegistrationIsFreed()
{
    Fixture f;
    f.t.exec(QStringLiteral("update cz set zyzt='占用',xfhj=12,yzrs='2' where czm='C1'"));
    f.checkout.open(QStringLiteral("C1"));
    QVERIFY(!f.checkout.hasRoot());
    QCOMPARE(f.checkout.settle(entry(QString(), QString())).outcome, Outcome::Released);
    QCOMPARE(f.value(QStringLiteral("select zyzt||xfhj||yzrs from cz where czm='C1'")),
             QStringLiteral("空闲0.0"));
    QVERIFY(f.t.prompt.texts().isEmpty());
}

void tst_Checkout::failureLeavesNothingWritten()
{
    Fixture f;
    f.t.exec(QStringLiteral("update dysz set dyjmc='小票',yjkh='1',jzdy='1'"));
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("红烧肉"), 1);
    const QString member = f.restaurant.member(QStringLiteral("李四"), 1);
    f.checkout.open(QStringLiteral("A1"));
    QVERIFY(f.checkout.pickMember(*MemberSearch(f.t.db).find(member)));
    // The last statement of the checkout, raising the member's total, is refused.
    f.t.exec(
        QStringLiteral("create trigger refuse before update on hy begin select raise(abort,'locked'); end"));

    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("77"), QStringLiteral("77"))).outcome, Outcome::Stopped);
    QCOMPARE(f.t.prompt.texts(),
             (QStringList{QStringLiteral("是否真的要结账？"), QStringLiteral("结账发生异常,结账失败!")}));
    QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz")), 0);
    QCOMPARE(f.count(QStringLiteral("select count(*) from cz where zyzt='占用'")), 2);
    QCOMPARE(f.count(QStringLiteral(
                 "select count(*) from dj where xfzt='占用' and jzdh is null and ldsj is null")),
             2);
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzbj='0' and jzzdh is null and hybh=0")),
             2);
    QVERIFY(f.jobs.isEmpty()); // no receipt of a bill that does not exist

    // Once the cause is gone, the same dialog settles.
    f.t.exec(QStringLiteral("drop trigger refuse"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("77"), QStringLiteral("77"))).outcome, Outcome::Settled);
}

void tst_Checkout::numberTakenMeanwhileUsesTheNext()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.checkout.open(QStringLiteral("A1"));
    QCOMPARE(f.checkout.billNumber(), QStringLiteral("202612060001"));
    // Another checkout writes the number shown.
    f.t.exec(QStringLiteral("insert into jzhz(zdh,jzrq) values('202612060001','2026-12-06')"));

    f.t.prompt.answer(Prompt::Answer::Yes);
    const Checkout::Result result = f.checkout.settle(entry(QStringLiteral("38.5"), QStringLiteral("50")));
    QCOMPARE(result.outcome, Outcome::Settled);
    QCOMPARE(result.billNumber, QStringLiteral("202612060002"));
    QCOMPARE(f.checkout.billNumber(), QStringLiteral("202612060002"));
    QCOMPARE(f.t.prompt.last(), QStringLiteral("结账完毕!\n账单号:202612060002"));
    QCOMPARE(f.value(QStringLiteral("select jzdh from dj where czm='A1'")), QStringLiteral("202612060002"));
}

void tst_Checkout::secondBillOfTheDay()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.restaurant.order(QStringLiteral("B1"), QStringLiteral("红烧肉"), 1);
    f.checkout.open(QStringLiteral("A1"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(f.checkout.settle(entry(QStringLiteral("38.5"), QStringLiteral("50"))).billNumber,
             QStringLiteral("202612060001"));

    Checkout next(f.t.db, Cashier{QStringLiteral("张三"), QStringLiteral("1"), QStringLiteral("0")},
                  f.printer);
    next.open(QStringLiteral("B1"));
    QCOMPARE(next.billNumber(), QStringLiteral("202612060002"));
    QVERIFY(next.inStore().isEmpty());
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(next.settle(entry(QStringLiteral("38.5"), QStringLiteral("50"))).billNumber,
             QStringLiteral("202612060002"));
    QCOMPARE(f.t.prompt.last(), QStringLiteral("结账完毕!"));
}

void tst_Checkout::receiptFollowsTheCommit()
{
    Fixture f;
    f.t.exec(
        QStringLiteral("update dysz set dyjmc='小票',yjkh='1',jzdy='0',bt1='欢迎',bt2='',yj1='谢谢',yj2=''"));
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), -1);
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("鱼香肉丝"), 1);

    // Another connection sees what was committed when the receipt goes out.
    ScriptedPrompt otherPrompt;
    Database other(otherPrompt);
    other.open(f.t.filePath());
    QStringList committedAtPrint;
    ReceiptPrinter printer(f.t.db, QStringLiteral("我的餐厅"),
                           [&](const QString& document, const QString& name, const QString& text) {
                               f.jobs.append({document, name, text});
                               committedAtPrint << other.query(QStringLiteral("select zdh from jzhz"))
                                                       .getString(QStringLiteral("zdh"));
                               return false; // the printer refuses: the bill stays
                           });
    Checkout checkout(f.t.db, Cashier{QStringLiteral("张三"), QStringLiteral("1"), QStringLiteral("1")},
                      printer);
    checkout.open(QStringLiteral("A1"));
    f.t.prompt.answer(Prompt::Answer::Yes); // 是否真的要结账？
    f.t.prompt.answer(Prompt::Answer::Yes); // 是否打印小票？
    QCOMPARE(checkout.settle(entry(QStringLiteral("28"), QStringLiteral("50"))).outcome, Outcome::Settled);
    QCOMPARE(f.t.prompt.texts(),
             (QStringList{QStringLiteral("是否真的要结账？"), QStringLiteral("是否打印小票？"),
                          QStringLiteral("结账完毕!")}));
    QCOMPARE(committedAtPrint, QStringList{QStringLiteral("202612060001")});
    QCOMPARE(f.jobs.size(), 1);
    QCOMPARE(f.jobs.first().printer, QStringLiteral("小票"));
    const QStringList lines = f.jobs.first().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(3), QStringLiteral(" 账单号:202612060001   收银员:张三"));
    QCOMPARE(lines.at(7), QStringLiteral("红烧肉                 1    38.5   38.50"));
    QCOMPARE(lines.at(8), QStringLiteral("红烧肉(退)            -1    38.5  -38.50"));
    QCOMPARE(lines.at(10), QStringLiteral(" 合计               1.00         ￥28.00"));
    QVERIFY(lines.contains(QStringLiteral("预收金额:      ￥50.00")));
    QVERIFY(lines.contains(QStringLiteral("找零金额:      ￥22.00")));
    QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz")), 1);

    // Declining the question prints nothing.
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.order(QStringLiteral("B1"), QStringLiteral("可乐"), 1);
    checkout.open(QStringLiteral("B1"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    f.t.prompt.answer(Prompt::Answer::No);
    QCOMPARE(checkout.settle(entry(QStringLiteral("5"), QStringLiteral("5"))).outcome, Outcome::Settled);
    QCOMPARE(f.jobs.size(), 1);
}

void tst_Checkout::onAccountSettlement()
{
    Fixture f;
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 2);
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("可乐"), 2);
    const QString member = f.restaurant.member(QStringLiteral("李四"), 1);
    f.checkout.open(QStringLiteral("A1"));
    QVERIFY(f.checkout.pickMember(*MemberSearch(f.t.db).find(member)));
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(
        f.checkout.settle(entry(QStringLiteral("87"), QString(), Payment::OnAccount, QStringLiteral("月结")))
            .billNumber,
        QStringLiteral("202612060001"));
    QCOMPARE(f.value(QStringLiteral("select xfze from hy")), QStringLiteral("87"));

    // The table takes new guests; the next day the bill is paid.
    f.t.exec(QStringLiteral("update dj set djbh=djbh||'-1', zdbh=zdbh||'-1'"));
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("可乐"), 1);
    Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
    Checkout settle(f.t.db, Cashier{QStringLiteral("李经理"), QStringLiteral("1"), QStringLiteral("0")},
                    f.printer);
    settle.openOnAccount({QStringLiteral("202612060001"), QStringLiteral("A1"), member,
                          QStringLiteral("87.00"), QStringLiteral("月结")});
    QCOMPARE(settle.title(), QStringLiteral("挂账账单结账"));
    QCOMPARE(settle.billNumber(), QStringLiteral("202612070001"));
    QCOMPARE(settle.memberName(), QStringLiteral("李四"));
    QCOMPARE(settle.area().first().tables, (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    Checkout::Amounts amounts;
    settle.RecalcTotals(amounts, Payment::Cash);
    QCOMPARE(amounts.gross, QStringLiteral("87.00"));

    f.t.prompt.clear();
    f.t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(settle
                 .settle(entry(QStringLiteral("87.00"), QStringLiteral("100"), Payment::Cash,
                               QStringLiteral("月结")))
                 .outcome,
             Outcome::Settled);
    QCOMPARE(f.count(QStringLiteral("select count(*) from jzhz where zdh='202612060001'")), 0);
    QCOMPARE(f.value(QStringLiteral("select czm||'|'||jzfs||'|'||jzr||'|'||jzrq||'|'||hybh from jzhz")),
             QStringLiteral("A1|现金|李经理|2026-12-07|") + member);
    QCOMPARE(f.count(QStringLiteral("select count(*) from dj where jzdh='202612070001'")), 2);
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzzdh='202612070001'")), 2);
    // The member's total was raised when the bill was left on account, not again.
    QCOMPARE(f.value(QStringLiteral("select xfze from hy")), QStringLiteral("87"));
    // The new guests at A1 are untouched.
    QCOMPARE(f.value(QStringLiteral("select zyzt from cz where czm='A1'")), QStringLiteral("占用"));
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where czm='A1' and jzbj='0'")), 1);
}

void tst_Checkout::preReceipt()
{
    Fixture f;
    f.t.exec(QStringLiteral("update dysz set dyjmc='小票',yjkh='1'"));
    f.restaurant.seat(QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("A2"), QStringLiteral("A1"));
    f.restaurant.seat(QStringLiteral("B1"));
    f.restaurant.order(QStringLiteral("A1"), QStringLiteral("红烧肉"), 1);
    f.restaurant.order(QStringLiteral("A2"), QStringLiteral("可乐"), 2, 0);
    f.restaurant.order(QStringLiteral("B1"), QStringLiteral("鱼香肉丝"), 1);
    f.checkout.open(QStringLiteral("A2"));

    QVERIFY(f.checkout.printPreReceipt(entry(QStringLiteral("0"), QString())));
    QCOMPARE(f.jobs.size(), 1);
    QCOMPARE(f.jobs.first().document, QStringLiteral("A2"));
    const QStringList lines = f.jobs.first().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(3), QStringLiteral(" 餐桌名:A2   收银员:张三"));
    QCOMPARE(lines.mid(7, 3), (QStringList{QStringLiteral("红烧肉                 1    38.5   38.50"),
                                           QStringLiteral("可乐(赠)               2       5    0.00"),
                                           QStringLiteral(" 合计               3.00         ￥38.50")}));
    QCOMPARE(lines.at(10), QStringLiteral(" ---------------------------------------"));
    QCOMPARE(lines.at(11), QStringLiteral("谢谢惠顾，欢迎再次光临！"));
    // Nothing is settled by a pre-receipt.
    QCOMPARE(f.count(QStringLiteral("select count(*) from xfmx where jzbj='0'")), 3);
}

PELVAR_TEST(tst_Checkout)
#include "tst_Checkout.moc"
