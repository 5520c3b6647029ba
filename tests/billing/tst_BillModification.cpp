#include "BillModification.h"
#include "BillNumber.h"
#include "CashierReport.h"
#include "Clock.h"
#include "FixedClockTest.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;
using Saved = BillModification::Outcome;

namespace {

// A bill of today at A1 (红烧肉 ×2, a returned 鱼香肉丝 with its reason, a beer), settled by 张三
// in cash for the member 李四, as the cashier detail list shows it.
struct Fixture
{
    Fixture()
    {
        member = restaurant.member(u"李四"_s, 1);
        restaurant.seat("A1");
        restaurant.order("A1", "红烧肉", 2);
        const qint64 returned = restaurant.order("A1", "鱼香肉丝", -1);
        t.exec(
            u"update xfmx set tdbj='1',tdsl=1,tdbz='太咸',sfdy='1',bz='少辣' where xfbh=%1"_s.arg(returned));
        restaurant.order("A1", "啤酒", 1);
        Checkout checkout(t.db, Cashier{u"张三"_s, u"1"_s, u"0"_s}, printer);
        checkout.open("A1");
        QVERIFY(checkout.pickMember(*MemberSearch(t.db).find(member)));
        t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(checkout.settle({u"57.00"_s, u"60"_s, u"老客"_s, Payment::Cash}).outcome,
                 Checkout::Outcome::Settled);
        t.prompt.clear();
    }
    // The bill as the cashier detail list has it now.
    BillModification::Bill bill() { return restaurant.listedBill(); }
    Saved save(BillModification& m, const QString& received, Payment payment = Payment::Cash)
    {
        Checkout::Focus focus = Checkout::Focus::None;
        t.prompt.answer(Prompt::Answer::Yes); // 是否真的要修改该账单？
        return m.save({received, received, m.bill().note, payment}, focus);
    }
    QString value(const QString& statement) { return t.scalar(statement); }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    Cashier manager{u"系统管理员"_s, u"1"_s, u"0"_s};
    QString member;
};

} // namespace

class tst_BillModification : public FixedClockTest
{
    Q_OBJECT

private slots:
    void accessRules_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("asking");
        QTest::addColumn<QString>("refusal"); // empty: it opens
        const QString today = u"2026-12-06 09:00:00"_s;
        // clang-format off
        QTest::newRow("no right")              << false << "现金" << today << "张三" << "你没有此操作权限!";
        QTest::newRow("on account")            << true << "挂账" << today << "张三" << "挂账账单不能修改!";
        QTest::newRow("yesterday's, cashier")  << true << "现金" << "2026-12-05 23:59:59" << "张三" << "该账单已经落单，不能修改!";
        QTest::newRow("yesterday's, admin")    << true << "现金" << "2026-12-05 23:59:59" << "系统管理员" << "该账单已经落单，不能修改!";
        QTest::newRow("another's")             << true << "现金" << today << "王五" << "你不能修改他人账单!";
        QTest::newRow("the cashier's own")     << true << "其他" << today << "张三" << "";
        QTest::newRow("admin, another's")      << true << "免费" << today << "系统管理员" << "";
        // clang-format on
    }

    void accessRules()
    {
        QFETCH(bool, right);
        QFETCH(QString, method);
        QFETCH(QString, time);
        QFETCH(QString, asking);
        QFETCH(QString, refusal);
        ScriptedPrompt prompt;
        BillModification::Bill bill{u"202612060001"_s, u"A1"_s, u"10"_s, u"*"_s, method, {}, time, u"张三"_s};
        QCOMPARE(BillModification::mayModify(prompt, right, bill, asking, QDate(2026, 12, 6)),
                 refusal.isEmpty());
        QCOMPARE(prompt.last(), refusal);
        // The total row opens nothing, silently.
        bill.number = {};
        QVERIFY(!BillModification::mayModify(prompt, true, bill, asking, QDate(2026, 12, 6)));
    }

    void savesInPlaceWithEveryColumnOfItsLines()
    {
        Fixture f;
        const QString other = f.restaurant.member(u"王五"_s, 0.9);
        BillModification m(f.t.db, f.manager, f.printer);
        m.open(f.bill());
        QCOMPARE(m.bill().note, u"老客[已修改]"_s);
        // Quantities are numbers greater than 0, never text read as 0.
        for (const QString& typed : {u"0"_s, u"-1"_s, u"1,5"_s, u"abc"_s, u""_s})
            QVERIFY(!BillModification::acceptQuantity(f.t.prompt, typed));
        QCOMPARE(f.t.prompt.last(), u"消费数量必须大于0!"_s);
        QCOMPARE(*BillModification::acceptQuantity(f.t.prompt, u"3"_s), u"3.00"_s);
        QVERIFY(!m.newLine(u"可乐"_s, u"5"_s, u"2,5"_s));
        QCOMPARE(f.t.prompt.last(), u"请指定消费数量!"_s);
        QVERIFY(m.setQuantity(0, u"3.00"_s));
        // The returned 鱼香肉丝 keeps its quantity, its return mark and its reason.
        QVERIFY(!m.setQuantity(1, u"2.00"_s));
        QCOMPARE(f.t.prompt.last() + m.lines().at(1).quantity, u"退单项目不能修改数量!-1.00"_s);
        QVERIFY(m.addLines({*m.newLine(u"可乐"_s, u"5.00"_s, u"2"_s)}));
        // The new member's ratio reaches only discountable lines (not the beer).
        m.pickMember(*MemberSearch(f.t.db).find(other));
        Checkout::Amounts a;
        m.recalc(a, Payment::Other);
        QCOMPARE(a.gross + u' ' + a.due, u"105.50 95.75"_s);

        Clock::setFixed(Restaurant::kNow.addSecs(600));
        f.t.prompt.clear();
        QCOMPARE(f.save(m, u"95.75"_s, Payment::Other), Saved::Saved);
        QCOMPARE(f.t.prompt.texts(),
                 (QStringList{"是否真的要修改该账单？", "是否打印小票？", "修改结账完毕!"}));
        QCOMPARE(
            f.value(
                u"select printf('%.2f|%.2f|%.2f|',xfje,dzje,ssje)||hybh||jzfs||jzr||jzsj||bz from jzhz"_s),
            u"105.50|9.75|95.75|"_s + other + u"其他系统管理员2026-12-06 12:40:00老客[已修改]"_s);
        // Every stored line keeps its return mark, reason, printed mark and note; the added one
        // takes the defaults.
        QCOMPARE(
            f.value(u"select group_concat(xfxm||sl||dzbl||ysje||hybh||jzbj||tdbj||tdsl||tdbz||sfdy||bz,' ') "
                    "from (select * from xfmx order by xfbh)"_s),
            u"红烧肉3.00.9103.95"_s + other + u"10.00 鱼香肉丝-1.00.9-25.2"_s + other +
                u"111.0太咸1少辣 啤酒1.01.08.0"_s + other + u"10.00 可乐2.00.99.0"_s + other + u"10.00"_s);
        // The registration's total, the members' totals and the log agree.
        QCOMPARE(f.value(u"select xfhj from dj"_s), u"95.75"_s);
        QCOMPARE(f.value(u"select group_concat(xm||xfze) from hy"_s), u"李四0.0,王五95.75"_s);
        QCOMPARE(f.value(u"select log from log order by logid desc limit 1"_s),
                 u"用户“系统管理员”修改账单:202612060001"_s);

        // A second modification appends the mark again.
        BillModification again(f.t.db, f.manager, f.printer);
        again.open(f.bill());
        QCOMPARE(f.save(again, u"95.75"_s, Payment::Other), Saved::Saved);
        QCOMPARE(f.value(u"select bz from jzhz"_s), u"老客[已修改][已修改]"_s);
    }

    void checksAndFailure()
    {
        Fixture f;
        BillModification m(f.t.db, f.manager, f.printer);
        m.open(f.bill());
        Checkout::Focus focus = Checkout::Focus::None;
        QCOMPARE(m.save({u"57,00"_s, u"60"_s, m.bill().note, Payment::Cash}, focus), Saved::Invalid);
        QCOMPARE(f.t.prompt.last() + QString::number(int(focus)), u"实收金额不正确!1"_s);
        f.t.exec(u"create trigger refuse before delete on xfmx begin select raise(abort,'x'); end"_s);
        QCOMPARE(f.save(m, u"57"_s), Saved::Stopped);
        QCOMPARE(f.t.prompt.last(), u"结账发生异常，失败!"_s);
        QCOMPARE(f.value(u"select bz||hybh||(select xfze from hy) from jzhz"_s),
                 u"老客"_s + f.member + u"57.0"_s);
    }

    // Opened before midnight and saved after, the bill is of yesterday: neither changed nor deleted.
    void theDayTurnsWhileItIsOpen()
    {
        Fixture f;
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(23, 50)));
        BillModification m(f.t.db, f.manager, f.printer);
        m.open(f.bill());
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(0, 5)));
        Checkout::Focus focus = Checkout::Focus::None;
        QCOMPARE(m.save({u"57"_s, u"57"_s, m.bill().note, Payment::Cash}, focus), Saved::Stopped);
        QCOMPARE(f.t.prompt.texts(), QStringList{"该账单已经落单，不能修改!"});
        while (!m.lines().isEmpty())
            m.removeLine(0);
        QCOMPARE(m.save({u"0"_s, {}, m.bill().note, Payment::Cash}, focus), Saved::Stopped);
        QCOMPARE(f.t.prompt.last(), u"该账单已经落单，不能修改!"_s);
        QCOMPARE(f.value(u"select jzsj||jzrq||bz||(select count(*) from xfmx) from jzhz"_s),
                 u"2026-12-06 12:30:002026-12-06老客3"_s);
    }

    void removingEveryLineDeletesTheBill()
    {
        Fixture f;
        BillModification m(f.t.db, f.manager, f.printer);
        m.open(f.bill());
        while (!m.lines().isEmpty())
            m.removeLine(0);
        Checkout::Focus focus = Checkout::Focus::None;
        QCOMPARE(m.save({u"0"_s, {}, m.bill().note, Payment::Cash}, focus), Saved::Stopped);
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(m.save({u"0"_s, {}, m.bill().note, Payment::Cash}, focus), Saved::Deleted);
        QCOMPARE(f.t.prompt.texts().first(), u"无消费记录，顾客是否离店!"_s);
        QCOMPARE(
            f.value(
                u"select (select count(*) from jzhz)+(select count(*) from xfmx)+(select count(*) from dj)"_s),
            u"0"_s);
        QCOMPARE(f.value(u"select log from log order by logid desc limit 1"_s),
                 u"用户“系统管理员”删除账单:202612060001"_s);
        // The log names one bill: its number is not given again.
        QCOMPARE(BillNumber::next(f.t.db, Restaurant::kNow.date()), u"202612060002"_s);
    }
};

PELVAR_TEST(tst_BillModification)
#include "tst_BillModification.moc"
