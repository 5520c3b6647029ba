#include "BillModification.h"
#include "Field.h"
#include "FixedClockTest.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "Sql.h"
#include "TestMain.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;

namespace {

// 李四 and 王五, members at full price, and 红烧肉 (38.50) at A1. Each step is one of the program's
// paths that write a bill, written as the steps column of the test reads:
//   "结账 <method> <member or *>"  checks A1 out, received as due
//   "挂账结账 <method>"             settles the bill left on account
//   "修改 <method> <received>"      modifies the bill
//   "修改会员 <member>"             modifies the bill to another member
//   "删除"                          removes every line of the bill and confirms
struct Fixture
{
    Fixture()
    {
        members.insert(u"李四"_s, restaurant.member(u"李四"_s, 1));
        members.insert(u"王五"_s, restaurant.member(u"王五"_s, 1));
        restaurant.seat("A1");
        restaurant.order("A1", "红烧肉", 1);
    }

    static Payment payment(const QString& method) { return Checkout::paymentOf(method); }
    QString received(Payment payment, const QString& amount) const
    {
        return payment == Payment::Free ? u"0"_s : amount;
    }

    void checkout(const QString& method, const QString& member)
    {
        Checkout checkout(t.db, cashier, printer);
        checkout.open(u"A1"_s);
        if (member != u"*")
            QVERIFY(checkout.pickMember(*MemberSearch(t.db).find(members.value(member))));
        settle(checkout, method, u"38.50"_s);
    }

    void settleOnAccount(const QString& method)
    {
        Recordset bill = t.db.query(u"select * from jzhz where jzfs='挂账'"_s);
        QVERIFY(!bill.isEOF());
        const int member = bill.getInt(u"hybh"_s);
        const QString receivedBefore = Sql::money(bill.getDouble(u"ssje"_s));
        Checkout checkout(t.db, cashier, printer);
        checkout.openOnAccount({bill.getString(u"zdh"_s), bill.getString(u"czm"_s),
                                member == 0 ? u"*"_s : QString::number(member), receivedBefore,
                                bill.getString(u"bz"_s)});
        settle(checkout, method, receivedBefore);
    }

    void settle(Checkout& checkout, const QString& method, const QString& amount)
    {
        t.prompt.answer(Prompt::Answer::Yes); // 是否真的要结账？
        const QString received = this->received(payment(method), amount);
        QCOMPARE(checkout.settle({received, received, u"记"_s, payment(method)}).outcome,
                 Checkout::Outcome::Settled);
    }

    // The bill as stored, as the cashier detail list hands it over.
    BillModification::Bill bill()
    {
        Recordset rs = t.db.query(u"select * from jzhz"_s);
        const int member = rs.getInt(u"hybh"_s);
        return {rs.getString(u"zdh"_s),
                rs.getString(u"czm"_s),
                Sql::money(rs.getDouble(u"ssje"_s)),
                member == 0 ? u"*"_s : QString::number(member),
                rs.getString(u"jzfs"_s),
                rs.getString(u"bz"_s),
                Sql::timeText(rs.getDateTime(u"jzsj"_s)),
                rs.getString(u"jzr"_s)};
    }

    void modify(const QString& method, const QString& amount, const QString& member = {})
    {
        BillModification m(t.db, cashier, printer);
        m.open(bill());
        if (!member.isEmpty())
            m.pickMember(*MemberSearch(t.db).find(members.value(member)));
        Checkout::Focus focus = Checkout::Focus::None;
        t.prompt.answer(Prompt::Answer::Yes); // 是否真的要修改该账单？
        const QString received = this->received(payment(method), amount);
        QCOMPARE(m.save({received, received, m.bill().note, payment(method)}, focus),
                 BillModification::Outcome::Saved);
    }

    void remove()
    {
        BillModification m(t.db, cashier, printer);
        m.open(bill());
        while (!m.lines().isEmpty())
            m.removeLine(0);
        Checkout::Focus focus = Checkout::Focus::None;
        t.prompt.answer(Prompt::Answer::Yes); // 无消费记录，顾客是否离店!
        QCOMPARE(m.save({u"0"_s, {}, m.bill().note, Payment::Cash}, focus),
                 BillModification::Outcome::Deleted);
    }

    void run(const QString& step)
    {
        const QStringList words = step.split(u' ');
        const QString& command = words.first();
        if (command == u"结账")
            checkout(words.at(1), words.at(2));
        else if (command == u"挂账结账")
            settleOnAccount(words.at(1));
        else if (command == u"修改")
            modify(words.at(1), words.at(2));
        else if (command == u"修改会员")
            modify(bill().method, bill().received, words.at(1));
        else if (command == u"删除")
            remove();
        else
            QFAIL(qPrintable(u"unknown step "_s + step));
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    Cashier cashier{u"系统管理员"_s, u"0"_s, u"100"_s};
    QHash<QString, QString> members;
};

} // namespace

class tst_MemberTotals : public FixedClockTest
{
    Q_OBJECT

private slots:
    // A member's total rises and falls with the 实收金额 of their bills, on every path.
    void followsTheBills_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("totals");
        // clang-format off
        QTest::newRow("checkout")                      << QStringList{"结账 现金 李四"} << "李四 38.50, 王五 0.00";
        QTest::newRow("checkout without a member")     << QStringList{"结账 其他 *"} << "李四 0.00, 王五 0.00";
        QTest::newRow("left on account")               << QStringList{"结账 挂账 李四"} << "李四 38.50, 王五 0.00";
        QTest::newRow("free")                          << QStringList{"结账 免费 李四"} << "李四 0.00, 王五 0.00";
        QTest::newRow("on account, settled in cash")   << QStringList{"结账 挂账 李四", "挂账结账 现金"} << "李四 38.50, 王五 0.00";
        QTest::newRow("on account, settled free")      << QStringList{"结账 挂账 李四", "挂账结账 免费"} << "李四 0.00, 王五 0.00";
        QTest::newRow("settled free, then in cash")    << QStringList{"结账 挂账 李四", "挂账结账 免费", "修改 现金 38.50"} << "李四 38.50, 王五 0.00";
        QTest::newRow("modified, received less")       << QStringList{"结账 现金 李四", "修改 现金 30.00"} << "李四 30.00, 王五 0.00";
        QTest::newRow("modified to free")              << QStringList{"结账 现金 李四", "修改 免费 0"} << "李四 0.00, 王五 0.00";
        QTest::newRow("modified to another member")    << QStringList{"结账 现金 李四", "修改会员 王五"} << "李四 0.00, 王五 38.50";
        QTest::newRow("modified to a member")          << QStringList{"结账 现金 *", "修改会员 李四"} << "李四 38.50, 王五 0.00";
        QTest::newRow("modified twice")                << QStringList{"结账 现金 李四", "修改 现金 30.00", "修改 其他 38.50"} << "李四 38.50, 王五 0.00";
        QTest::newRow("deleted")                       << QStringList{"结账 现金 李四", "删除"} << "李四 0.00, 王五 0.00";
        QTest::newRow("on account, modified, deleted") << QStringList{"结账 挂账 李四", "挂账结账 现金", "修改会员 王五", "删除"} << "李四 0.00, 王五 0.00";
        // clang-format on
    }

    void followsTheBills()
    {
        QFETCH(QStringList, steps);
        Fixture f;
        for (const QString& step : steps) {
            f.run(step);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(f.t.scalar(u"select count(*) from hy where round(xfze*100)<>(select "
                                "coalesce(sum(round(ssje*100)),0) from jzhz where hybh=hy.bh)"_s),
                     u"0"_s);
        }
        QTEST(f.t.scalar(u"select group_concat(xm||' '||printf('%.2f',xfze),', ') from (select * from hy "
                         "order by bh)"_s),
              "totals");
    }
};

PELVAR_TEST(tst_MemberTotals)
#include "tst_MemberTotals.moc"
