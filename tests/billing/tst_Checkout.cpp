#include "BillNumber.h"
#include "Checkout.h"
#include "Clock.h"
#include "DbError.h"
#include "Discount.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;
using Out = Checkout::Outcome;
using Focus = Checkout::Focus;
Q_DECLARE_METATYPE(Checkout::Payment)
Q_DECLARE_METATYPE(Checkout::Focus)

namespace {

const QString kRefuse = u"create trigger refuse before update on %1 begin select raise(abort,'x'); end"_s;

// The restaurant with a checkout for 张三 (lowest ratio 0.80, rounding-off up to 1).
struct Fixture
{
    // Opens the tables as one group, the first its main table.
    void seat(const QStringList& tables)
    {
        for (const QString& table : tables)
            restaurant.seat(table, table == tables.first() ? QString() : tables.first());
    }
    QString value(const QString& statement) { return t.scalar(statement); }
    int count(const QString& where) { return t.scalar(u"select count(*) from "_s + where).toInt(); }
    Checkout::Result settle(const QString& received, const QString& paid, Payment payment = Payment::Cash,
                            const QString& note = {}, Checkout* other = nullptr)
    {
        t.prompt.answer(Prompt::Answer::Yes); // 是否真的要结账？
        return (other ? *other : checkout).settle({received, paid, note, payment});
    }
    // A line's ratio, discount and amount due.
    QString line(qint64 number)
    {
        return value(u"select printf('%.2f|%.2f|%.2f',dzbl,dzje,ysje) from xfmx where xfbh=%1"_s.arg(number));
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    Checkout checkout{t.db, Cashier{u"张三"_s, u"0.80"_s, u"1"_s}, printer};
};

QString groups(const QList<Checkout::Group>& list)
{
    QStringList out;
    for (const Checkout::Group& group : list)
        out << group.name + u':' + group.tables.join(u',');
    return out.join(u' ');
}

} // namespace

class tst_Checkout : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    void opensTheGroupWithItsLinesAndTotals()
    {
        Fixture f;
        f.seat({"A1", "A2"});
        f.seat({"B1", "B2"});
        f.seat({"C1"});
        f.restaurant.order("A1", "鱼香肉丝", 2, 0.9);
        f.restaurant.order("A1", "鱼香肉丝", -1, 0.9);
        f.restaurant.order("A2", "啤酒", 3, 0);
        f.restaurant.order("A2", "红烧肉", 1);
        // Opened from a sub-table, the checkout takes its whole group under the main table.
        f.checkout.open("A2");
        QCOMPARE(f.checkout.rootText(), u"(结账单号)202612060001"_s);
        QCOMPARE(groups(f.checkout.area()) + u" / "_s + groups(f.checkout.inStore()), u"A1:A2 / B1:B2 C1:"_s);
        const Checkout::Lines shown = f.checkout.ShowLines();
        QStringList lines;
        for (const Checkout::Line& l : shown.lines)
            lines << QStringList{l.shownItem, l.quantity, l.price, l.ratio, l.discountAmount, l.dueAmount}
                         .join(u'|');
        QCOMPARE(
            lines,
            (QStringList{"鱼香肉丝|2.00|28.00|0.90|5.60|50.40", "鱼香肉丝(退)|-1.00|28.00|0.90|-2.80|-25.20",
                         "啤酒(赠)|3.00|8.00|0.00|24.00|0.00", "红烧肉|1.00|38.50|1.00|0.00|38.50"}));
        QCOMPARE(shown.discountSum + u'|' + shown.dueSum, u"26.80|63.70"_s);
        Checkout::Amounts a;
        a.paid = u"100"_s;
        f.checkout.RecalcTotals(a, Payment::Cash);
        QCOMPARE(QStringList({a.quantity, a.gross, a.due, a.discount, a.change}).join(u' '),
                 u"5.00 90.50 63.70 26.80 36.30"_s);

        // Groups move as a whole; together they make one bill under the first main table.
        QVERIFY(!f.checkout.moveIn("B2") && f.checkout.moveIn("B1") && !f.checkout.moveOut("B2"));
        QCOMPARE(f.t.prompt.texts(), (QStringList{"不能对子餐桌进行此操作!", "不能进行此操作，请拆分账单!"}));
        f.t.prompt.clear();
        QCOMPARE(f.settle(u"63.70"_s, u"63.70"_s, Payment::Cash, u"王总's 单"_s).outcome, Out::Settled);
        QCOMPARE(f.t.prompt.texts(), (QStringList{"是否真的要结账？", "没有选定小票打印机!", "结账完毕!"}));
        QCOMPARE(f.value(u"select zdh||czm||xfje||hybh||jzr||bz||jzsj||jzrq from jzhz"_s),
                 u"202612060001A190.50张三王总's 单2026-12-06 12:30:052026-12-06"_s);
        // Every table of both groups free, every visit gone with the bill, every line settled.
        QCOMPARE(f.value(u"select group_concat(czm||zyzt||xfhj||jdsj||yzrs||bz) from cz where czm<'C'"_s),
                 u"A1空闲0.0,A2空闲0.0,A3空闲0.0,B1空闲0.0,B2空闲0.0"_s);
        QCOMPARE(f.count(u"dj where xfzt='离店' and ldsj='2026-12-06 12:30:05' and jzdh='202612060001'"_s) +
                     f.count(u"xfmx where jzbj='1' and jzzdh='202612060001' and hybh=0"_s),
                 8);
        f.checkout.open("C1");
        QVERIFY(f.checkout.moveOut("C1"));
        QCOMPARE(f.settle(u"5"_s, u"5"_s).outcome, Out::Stopped);
        QCOMPARE(f.t.prompt.last(), u"请添加要结账餐桌!"_s);
    }

    void checks_data()
    {
        QTest::addColumn<double>("price"); // of the one line; 应收金额 = price × ratio
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<Payment>("payment");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("message"); // refused with this message, or
        QTest::addColumn<Focus>("focus");
        QTest::addColumn<QString>("bill"); // settled: xfje|dzje|ssje|jzfs
        const QString wrong = u"实收金额不正确!"_s;
        const QString roundOff = u"抹零金额超出当前操作员最高抹零金额:1元，如果要优惠请通过'折扣'优惠!"_s;
        const QString paidShort = u"支付金额不足,如果要抹零,请更改实收金额!"_s;
        using enum Checkout::Payment;
        using enum Checkout::Focus;
        // Each bound a cent either side. The suite's locale writes decimal commas: "177.50" must
        // still be 177.50.
        // clang-format off
        QTest::newRow("a cent over the consumption") << 178.5 << 1.0 << "178.51" << "200" << Cash << "" << "实收金额不能大于消费金额!" << Received << "";
        QTest::newRow("the whole consumption")       << 178.5 << 1.0 << "178.50" << "178.50" << Cash << "" << "" << None << "178.50|0.00|178.50|现金";
        QTest::newRow("a cent over the amount due")  << 178.5 << 0.9 << "160.66" << "200" << Cash << "" << "实收金额不能高于应收金额，如果要优惠请通过'折扣'优惠!" << Received << "";
        QTest::newRow("the amount due")              << 178.5 << 0.9 << "160.65" << "200" << Other << "" << "" << None << "178.50|17.85|160.65|其他";
        QTest::newRow("nothing received")            << 0.5 << 1.0 << "0" << "1" << Cash << "" << wrong << Received << "";
        QTest::newRow("a cent below nothing")        << 0.5 << 1.0 << "-0.01" << "1" << Cash << "" << wrong << Received << "";
        QTest::newRow("a cent received")             << 0.5 << 1.0 << "0.01" << "0.01" << Cash << "" << "" << None << "0.50|0.49|0.01|现金";
        QTest::newRow("rounding-off at the limit")   << 178.5 << 1.0 << "177.50" << "177.50" << Cash << "" << "" << None << "178.50|1.00|177.50|现金";
        QTest::newRow("rounding-off a cent over")    << 178.5 << 1.0 << "177.49" << "200" << Cash << "" << roundOff << Received << "";
        // 16.10 - 15.10 is a little more than 1 in binary doubles; in cents it is the limit.
        QTest::newRow("the limit in cents")          << 16.1 << 1.0 << "15.10" << "15.10" << Cash << "" << "" << None << "16.10|1.00|15.10|现金";
        QTest::newRow("rounding-off on account")     << 178.5 << 1.0 << "177.49" << "" << OnAccount << "记账" << roundOff << Received << "";
        QTest::newRow("paid a cent short")           << 178.5 << 1.0 << "178.50" << "178.49" << Cash << "" << paidShort << Paid << "";
        QTest::newRow("other, nothing paid")         << 178.5 << 1.0 << "178.50" << "" << Other << "" << paidShort << Paid << "";
        QTest::newRow("on account, no payment")      << 178.5 << 1.0 << "178.50" << "" << OnAccount << "记账" << "" << None << "178.50|0.00|178.50|挂账";
        QTest::newRow("on account needs a note")     << 178.5 << 1.0 << "178.50" << "" << OnAccount << " " << "挂账账单请输入备注信息!" << Note << "";
        QTest::newRow("free needs a note")           << 178.5 << 1.0 << "0" << "" << Free << "" << "免费账单请输入备注信息!" << Note << "";
        QTest::newRow("free ignores the amount")     << 178.5 << 1.0 << "50" << "" << Free << "请客" << "" << None << "178.50|178.50|0.00|免费";
        // Typed amounts are numbers or refused: never 0, nor the digits before a comma.
        QTest::newRow("decimal comma received")      << 178.5 << 1.0 << "178,50" << "200" << Cash << "" << wrong << Received << "";
        QTest::newRow("empty received")              << 178.5 << 1.0 << "" << "200" << Cash << "" << wrong << Received << "";
        QTest::newRow("decimal comma paid")          << 178.5 << 1.0 << "178.50" << "178,50" << Cash << "" << "顾客支付不正确!" << Paid << "";
        // clang-format on
    }

    void checks()
    {
        QFETCH(double, price);
        QFETCH(double, ratio);
        QFETCH(QString, received);
        QFETCH(QString, paid);
        QFETCH(Payment, payment);
        QFETCH(QString, note);
        QFETCH(QString, message);
        Fixture f;
        f.seat({"A1"});
        f.restaurant.line("A1", "宴席", 1, price, ratio);
        f.checkout.open("A1");
        const Checkout::Result result = f.settle(received, paid, payment, note);
        QCOMPARE(result.outcome, message.isEmpty() ? Out::Settled : Out::Invalid);
        QTEST(result.focus, "focus");
        QCOMPARE(f.t.prompt.texts().first(), message.isEmpty() ? u"是否真的要结账？"_s : message);
        QTEST(f.value(u"select printf('%.2f|%.2f|%.2f|',xfje,dzje,ssje)||jzfs from jzhz"_s), "bill");
    }

    void discountsAndTheMember()
    {
        Fixture f;
        f.seat({"A1", "A2"});
        f.seat({"B1"});
        const qint64 dish = f.restaurant.order("A1", "鱼香肉丝", 2, 0.9);
        const qint64 beer = f.restaurant.order("A1", "啤酒", 2); // no discount
        const qint64 gift = f.restaurant.order("A2", "可乐", 1, 0);
        const qint64 pork = f.restaurant.order("A2", "红烧肉", 2);
        const qint64 other = f.restaurant.order("B1", "红烧肉", 1);
        f.checkout.open("A1");
        // Selected lines, also of an in-store group shown in the list, with their table's total.
        QVERIFY(!f.checkout.ApplyDiscountRatio(u"0.50"_s, {}, {}));
        QCOMPARE(f.t.prompt.texts(), QStringList{"请选定要打折的消费项目!"});
        QVERIFY(f.checkout.ApplyDiscountRatio(u"0.50"_s, {}, {pork}));
        QVERIFY(f.checkout.ApplyDiscountRatio(u"0.80"_s, u"B1"_s, {other}));
        QCOMPARE(f.line(pork) + u' ' + f.line(other) + u' ' +
                     f.value(u"select xfhj from cz where czm='B1'"_s),
                 u"0.50|38.50|38.50 0.80|7.70|30.80 30.8"_s);
        // A member's ratio goes to every discountable line that is no gift, and to the totals.
        const MemberSearch::Member member = *MemberSearch(f.t.db).find(f.restaurant.member(u"李四"_s, 0.8));
        QVERIFY(f.checkout.pickMember(member));
        QCOMPARE(QStringList({f.line(dish), f.line(beer), f.line(gift), f.line(pork)}),
                 QStringList({"0.80|11.20|44.80", "1.00|0.00|16.00", "0.00|5.00|0.00", "0.80|15.40|61.60"}));
        QCOMPARE(f.value(u"select group_concat(xfhj) from cz where czm<'A3'"_s), u"60.8,61.6"_s);
        // 取消会员 puts 1 back, also on the lines discounted by hand before.
        QVERIFY(f.checkout.cancelMember() && f.checkout.memberNumber().isEmpty());
        QCOMPARE(f.line(dish) + u' ' + f.line(gift) + u' ' + f.line(pork),
                 u"1.00|0.00|56.00 0.00|5.00|0.00 1.00|0.00|77.00"_s);
        // A ratio of 0 makes a gift line: later discounts pass it by.
        QVERIFY(f.checkout.ApplyDiscountRatio(u"0.00"_s, {}, {dish}) &&
                f.checkout.ApplyDiscountRatio(u"0.90"_s));
        QCOMPARE(f.line(dish) + u' ' + f.line(pork), u"0.00|56.00|0.00 0.90|7.70|69.30"_s);

        // A member whose price cannot be written is not picked: the bill carries no member.
        f.t.exec(kRefuse.arg("cz"));
        QVERIFY(!f.checkout.pickMember(member) && f.checkout.memberNumber().isEmpty());
        QCOMPARE(f.t.prompt.last(), u"打折发生异常,打折失败!"_s);
        QCOMPARE(f.line(pork), u"0.90|7.70|69.30"_s);
        f.t.exec(u"drop trigger refuse"_s);
        QCOMPARE(f.settle(u"85.30"_s, u"85.30"_s).outcome, Out::Settled);
        QCOMPARE(f.value(u"select hybh||'|'||(select xfze from hy) from jzhz"_s), u"0|0.0"_s);
    }

    void releasingTables()
    {
        Fixture f;
        // C1 is occupied with a line left open but no registration of its group: freed, its visit
        // left, its line kept, settled without a bill under a mark of its own (takings count '1').
        f.restaurant.occupy("C1", Restaurant::kNow, 33);
        f.t.exec(u"insert into dj(djbh,czm,xfzt,zdbh) values('X','C1','占用','gone')"_s);
        f.restaurant.line("C1", "红烧肉", 1, 28);
        f.checkout.open("C1");
        QCOMPARE(f.checkout.settle({}).outcome, Out::Released);
        QCOMPARE(f.value(u"select zyzt||xfhj||yzrs from cz where czm='C1'"_s), u"空闲0.0"_s);
        QCOMPARE(f.count(u"xfmx where czm='C1' and jzbj='2' and jzzdh is null"_s), 1);
        // The next guests at C1 pay for their own line only.
        f.seat({"C1"});
        f.restaurant.order("C1", "可乐", 1);
        f.checkout.open("C1");
        f.settle(u"5"_s, u"5"_s);
        QCOMPARE(f.value(u"select xfje from jzhz"_s), u"5"_s);

        // Then guests at C1 and B1 whose lines come to nothing: asked, they leave without a bill, their
        // open visits and lines go, the table's history stays.
        f.t.exec(u"update dj set djbh=djbh||'-1', zdbh=zdbh||'-1'"_s);
        f.seat({"C1", "B1"});
        f.restaurant.order("B1", "可乐", 1);
        f.restaurant.order("B1", "可乐", -1);
        f.checkout.open("C1");
        f.t.prompt.clear();
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(f.checkout.settle({u"0"_s, {}, {}, Payment::Cash}).outcome, Out::Released);
        QCOMPARE(f.t.prompt.texts(), QStringList{"无消费记录，顾客是否离店？"});
        QCOMPARE(f.count(u"cz where zyzt='占用'"_s) + f.count(u"dj where xfzt='占用'"_s) + f.count(u"jzhz"_s),
                 1);
        QCOMPARE(f.value(u"select group_concat(czm||jzbj) from (select * from xfmx order by jzbj)"_s),
                 u"C11,C12"_s);
    }

    void failureLeavesNothingWrittenAndTheReceiptFollowsTheCommit()
    {
        Fixture f;
        f.t.exec(u"update dysz set dyjmc='小票',yjkh='1',jzdy='0'"_s);
        f.seat({"A1", "A2"});
        f.restaurant.order("A1", "红烧肉", 1);
        f.restaurant.order("A2", "红烧肉", 1);
        // Another connection sees the bill when the receipt goes out.
        ScriptedPrompt otherPrompt;
        Database other(otherPrompt);
        other.open(f.t.filePath());
        QStringList committed;
        ReceiptPrinter printer(f.t.db, u"我的餐厅"_s, [&](const QString&, const QString&, const QString&) {
            committed << other.query(u"select max(zdh) as zdh from jzhz"_s).getString(u"zdh"_s);
            return false; // the printer refuses: the bill stays
        });
        Checkout checkout(f.t.db, Cashier{u"张三"_s, u"1"_s, u"1"_s}, printer);
        checkout.open("A1");
        QVERIFY(checkout.pickMember(*MemberSearch(f.t.db).find(f.restaurant.member(u"李四"_s, 1))));
        f.t.exec(kRefuse.arg("hy")); // the last statement, raising the member's total, is refused
        QCOMPARE(f.settle(u"77"_s, u"77"_s, Payment::Cash, {}, &checkout).outcome, Out::Stopped);
        QCOMPARE(f.t.prompt.texts(), (QStringList{"是否真的要结账？", "结账发生异常,结账失败!"}));
        // No bill and no receipt of one; the tables, visits and lines stay open, without the member.
        QVERIFY(f.count(u"jzhz"_s) + committed.size() == 0 && f.count(u"cz where zyzt='占用'"_s) == 2);
        QCOMPARE(f.count(u"dj where xfzt='占用' and jzdh is null and ldsj is null"_s) +
                     f.count(u"xfmx where jzbj='0' and jzzdh is null and hybh=0"_s),
                 4);

        // Meanwhile another checkout took the number shown: the bill is numbered again when written.
        f.t.exec(u"drop trigger refuse"_s);
        f.t.exec(u"insert into jzhz(zdh,jzrq) values('202612060001','2026-12-06')"_s);
        f.t.prompt.clear();
        f.t.prompt.answer(Prompt::Answer::Yes);
        f.t.prompt.answer(Prompt::Answer::Yes); // 是否打印小票？
        QCOMPARE(checkout.settle({u"77"_s, u"77"_s, {}, Payment::Cash}).billNumber, u"202612060002"_s);
        QCOMPARE(f.t.prompt.texts(),
                 (QStringList{"是否真的要结账？", "是否打印小票？", "结账完毕!\n账单号:202612060002"}));
        QCOMPARE(committed, QStringList{"202612060002"});
        QCOMPARE(f.value(u"select jzdh||'|'||(select xfze from hy) from dj where czm='A2'"_s),
                 u"202612060002|77.0"_s);
    }

    void discountLimits_data()
    {
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted as `ratio`
        QTest::addColumn<QString>("ratio");
        const QString range = u"打折比例输入错误,0到1之间!"_s;
        // The limit is shown as it is, with two decimals (never 0.8 rounded to 1).
        const QString below = u"折扣错误，当前操最低折扣为:0.80，请从新输入!"_s;
        // clang-format off
        QTest::newRow("at the limit")          << "0.80" << "0.8" << "" << "0.80";
        QTest::newRow("a hundredth below")     << "0.80" << "0.79" << below << "";
        QTest::newRow("limit 0.3")             << "0.30" << "0.2" << u"折扣错误，当前操最低折扣为:0.30，请从新输入!"_s << "";
        QTest::newRow("limit 0.9")             << "0.9" << "0.89" << u"折扣错误，当前操最低折扣为:0.90，请从新输入!"_s << "";
        QTest::newRow("one")                   << "0.80" << "1" << "" << "1.00";
        QTest::newRow("a hundredth above one") << "0.80" << "1.01" << range << "";
        QTest::newRow("below zero")            << "0" << "-0.01" << range << "";
        QTest::newRow("zero with no limit")    << "0" << "0" << "" << "0.00";
        // Mistyped ratios are refused, not read as 0 (a gift) for an operator allowed down to 0.
        QTest::newRow("empty")                 << "0" << "" << range << "";
        QTest::newRow("decimal comma")         << "0" << "0,9" << range << "";
        QTest::newRow("letter o")              << "0" << "o.9" << range << "";
        QTest::newRow("trailing text")         << "0" << "0.9折" << range << "";
        // clang-format on
    }

    // The limit in force is shown as it is: an operator allowed down to 0.90 must not read 1.
    void limitLabel_data()
    {
        QTest::addColumn<QString>("lowest");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0.9") << "0.9" << "0.90";
        QTest::newRow("0.85") << "0.85" << "0.85";
        QTest::newRow("0.3") << "0.3" << "0.30";
        QTest::newRow("none") << "0" << "0.00";
        QTest::newRow("one") << "1" << "1.00";
    }

    void limitLabel()
    {
        QFETCH(QString, lowest);
        TestDatabase t;
        Discount discount(t.db, Cashier{u"收银员"_s, lowest, u"1"_s}, nullptr);
        QTEST(discount.limitLabel().section(u':', 1), "shown");
        QCOMPARE(discount.limitLabel().section(u':', 0, 0), u"当前最低折扣为"_s);
    }

    void discountLimits()
    {
        QFETCH(QString, lowest);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        TestDatabase t;
        Discount discount(t.db, Cashier{u"收银员"_s, lowest, u"1"_s}, nullptr);
        QCOMPARE(discount.accept(typed), message.isEmpty());
        QCOMPARE(t.prompt.last(), message);
        QTEST(discount.ratio(), "ratio");
    }

    void billNumber_data()
    {
        // zdh:jzrq of the bills written, "-" before those deleted since; the next number on 2026-12-06
        QTest::addColumn<QString>("bills");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("earlier days do not count")  << "202612050009:2026-12-05" << "202612060001";
        QTest::newRow("the day's highest plus one") << "202612060001:2026-12-06 202612060007:2026-12-06 202612050020:2026-12-05" << "202612060008";
        // A bill dated another day may carry today's number; the next free one is used.
        QTest::newRow("a taken number is skipped")  << "202612060001:2026-12-05 202612060002:2026-12-05" << "202612060003";
        // A number once given is never given again.
        QTest::newRow("the last bill deleted")      << "202612060001:2026-12-06 -202612060002:2026-12-06" << "202612060003";
        QTest::newRow("every bill deleted")         << "-202612060001:2026-12-06" << "202612060002";
        // clang-format on
    }

    void billNumber()
    {
        QFETCH(QString, bills);
        TestDatabase t;
        for (QString bill : bills.split(u' ', Qt::SkipEmptyParts)) {
            const bool deleted = bill.startsWith(u'-');
            if (deleted)
                bill.remove(0, 1);
            t.exec(u"insert into jzhz(zdh,jzrq) values('%1','%2')"_s.arg(bill.section(u':', 0, 0),
                                                                         bill.section(u':', 1)));
            if (deleted)
                t.exec(u"delete from jzhz where zdh='%1'"_s.arg(bill.section(u':', 0, 0)));
        }
        QTEST(BillNumber::next(t.db, QDate(2026, 12, 6)), "expected");
        // No bill is written under a number given before.
        for (const QString& bill : bills.split(u' ', Qt::SkipEmptyParts))
            QVERIFY_THROWS_EXCEPTION(DbError, t.db.ExecuteSql(u"insert into jzhz(zdh) values('%1')"_s.arg(
                                                  bill.section(u':', 0, 0).remove(u'-'))));
    }

    // A file of the version before: its bills' numbers and the deleted ones its log names are given.
    void billNumbersOfAnOlderFile()
    {
        TestDatabase t;
        t.exec(u"insert into jzhz(zdh,jzrq) values('202612060002','2026-12-06')"_s);
        t.exec(u"insert into log(log) values('用户“张三”删除账单:202612060005')"_s);
        t.exec(u"drop trigger jzhz_yyzdh"_s);
        t.exec(u"drop table yyzdh"_s);
        t.exec(u"pragma user_version = 4"_s);
        t.db.close();
        t.db.open(t.filePath());
        QCOMPARE(BillNumber::next(t.db, QDate(2026, 12, 6)), u"202612060006"_s);
    }

    // A bill an administrator left on account with a rounding-off is settled by a cashier whose
    // limit is smaller: only what the settlement adds counts against it.
    void onAccountRoundOff_data()
    {
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("as left on account")     << "30.00" << "";
        QTest::newRow("the cashier's 1 more")   << "29.00" << "";
        QTest::newRow("a cent over the limit")  << "28.99" << "抹零金额超出当前操作员最高抹零金额:1元，如果要优惠请通过'折扣'优惠!";
        // clang-format on
    }

    void onAccountRoundOff()
    {
        QFETCH(QString, received);
        QFETCH(QString, message);
        Fixture f;
        f.seat({"A1"});
        f.restaurant.order("A1", "红烧肉", 1);
        Checkout admin(f.t.db, Cashier{u"系统管理员"_s, u"0"_s, u"100"_s}, f.printer);
        admin.open(u"A1"_s);
        QCOMPARE(f.settle(u"30.00"_s, {}, Payment::OnAccount, u"月结"_s, &admin).outcome, Out::Settled);
        f.t.prompt.clear();
        f.checkout.openOnAccount({u"202612060001"_s, u"A1"_s, u"*"_s, u"30.00"_s, u"月结"_s});
        const Checkout::Result result = f.settle(received, received, Payment::Cash, u"月结"_s);
        QCOMPARE(result.outcome, message.isEmpty() ? Out::Settled : Out::Invalid);
        QCOMPARE(f.t.prompt.texts().first(), message.isEmpty() ? u"是否真的要结账？"_s : message);
    }

    void onAccountSettlement()
    {
        Fixture f;
        f.seat({"A1", "A2"});
        f.restaurant.order("A1", "红烧肉", 2);
        f.restaurant.order("A2", "可乐", 2);
        const QString member = f.restaurant.member(u"李四"_s, 1);
        f.checkout.open("A1");
        QVERIFY(f.checkout.pickMember(*MemberSearch(f.t.db).find(member)));
        // Left on account, the bill raises the member's total at once.
        QCOMPARE(f.settle(u"87"_s, {}, Payment::OnAccount, u"月结"_s).billNumber, u"202612060001"_s);
        QCOMPARE(f.value(u"select hybh from jzhz"_s) + f.value(u"select xfze from hy"_s), member + u"87"_s);
        QCOMPARE(f.count(u"xfmx where hybh="_s + member), 2);

        // New guests at A1; the next day the bill is paid.
        f.t.exec(u"update dj set djbh=djbh||'-1', zdbh=zdbh||'-1'"_s);
        f.seat({"A1"});
        f.restaurant.order("A1", "可乐", 1);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
        Checkout later(f.t.db, Cashier{u"李经理"_s, u"1"_s, u"0"_s}, f.printer);
        later.openOnAccount({u"202612060001"_s, u"A1"_s, member, u"87.00"_s, u"月结"_s});
        QCOMPARE(later.title() + later.billNumber() + later.memberName(), u"挂账账单结账202612070001李四"_s);
        QCOMPARE(f.settle(u"87.00"_s, u"100"_s, Payment::Cash, u"月结"_s, &later).outcome, Out::Settled);
        QCOMPARE(f.value(u"select group_concat(zdh||czm||jzfs||jzr||jzrq||hybh) from jzhz"_s),
                 u"202612070001A1现金李经理2026-12-07"_s + member);
        // Its visits and lines move to the new number; the member's total is not raised again; the
        // new guests at A1 are untouched.
        QCOMPARE(
            f.value(
                u"select (select count(*) from dj where jzdh='202612070001')||(select count(*) from xfmx "
                "where jzzdh='202612070001')||(select xfze from hy)||(select count(*) from xfmx where jzbj='0')"_s),
            u"2287.01"_s);
    }
};

PELVAR_TEST(tst_Checkout)
#include "tst_Checkout.moc"
