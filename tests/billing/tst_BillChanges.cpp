#include "BillChanges.h"
#include "BillModification.h"
#include "CashierReport.h"
#include "Clock.h"
#include "ControlReport.h"
#include "FixedClockTest.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;
using Saved = BillModification::Outcome;

namespace {

// A bill of A1 by 张三: 红烧肉 ×2 at 0.9, a 鱼香肉丝 returned ("太咸"), a beer given, 可乐 ×2;
// 消费 67.00, due and received 51.30, 50 of it by 微信 and the rest in cash.
struct Fixture
{
    Fixture()
    {
        restaurant.seat("A1");
        restaurant.order("A1", "红烧肉", 2, 0.9);
        const qint64 returned = restaurant.order("A1", "鱼香肉丝", -1);
        t.exec(u"update xfmx set tdbj='1',tdsl=1,tdbz='太咸' where xfbh=%1"_s.arg(returned));
        restaurant.order("A1", "啤酒", 1, 0);
        restaurant.order("A1", "可乐", 2);
        Checkout checkout(t.db, Cashier{u"张三"_s, u"0.5"_s, u"1"_s}, printer);
        checkout.open("A1");
        t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(checkout.settle({u"51.30"_s, u"2"_s, {}, Payment::Cash, {{u"微信"_s, 5000}}}).outcome,
                 Checkout::Outcome::Settled);
        number = checkout.billNumber();
        t.prompt.clear();
    }
    BillModification::Bill bill() { return restaurant.listedBill(); }
    static QDateTime day(int offset)
    {
        return QDateTime(Restaurant::kNow.date().addDays(offset), QTime(0, 0));
    }
    static QString joined(const QList<QStringList>& rows)
    {
        QStringList out;
        for (const QStringList& row : rows)
            out << row.join(u'|');
        return out.join(u'\n');
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    Cashier manager{u"李经理"_s, u"1"_s, u"5"_s};
    QString number;
};

const QStringList kBefore = {u"餐桌名: A1"_s,      u"消费金额: 67.00"_s,
                             u"优惠金额: 15.70"_s, u"实收金额: 51.30"_s,
                             u"会员编号: *"_s,     u"结账方式: 混合(现金 1.30，微信 50.00)"_s,
                             u"结账人: 张三"_s,    u"结账时间: 2026-12-06 12:30:00"_s,
                             u"备注: "_s};

} // namespace

class tst_BillChanges : public FixedClockTest
{
    Q_OBJECT

private slots:
    // A modification keeps the bill as it was and as it became, with who, when and why.
    void modificationKeepsBothImages()
    {
        Fixture f;
        BillModification m(f.t.db, f.manager, f.printer);
        m.setReasonQuestion([] { return std::optional<QString>(u" 客人多付了可乐 "_s); });
        m.open(f.bill());
        m.removeLine(3);
        Clock::setFixed(Restaurant::kNow.addSecs(600));
        Checkout::Focus focus = Checkout::Focus::None;
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(m.save({u"41.30"_s, u"41.30"_s, {}, Payment::Cash}, focus), Saved::Saved);

        QCOMPARE(Fixture::joined(BillChanges::rows(f.t.db, Fixture::day(0), Fixture::day(1))),
                 u"1|2026-12-06 12:40:00|"_s + f.number + u"|修改|李经理|51.30|41.30|客人多付了可乐"_s);
        const BillChanges::Image before = BillChanges::image(f.t.db, 1, BillChanges::kBefore);
        QCOMPARE(before.fields, kBefore);
        QCOMPARE(Fixture::joined(before.lines),
                 u"红烧肉|2.00|38.50|0.90|69.30\n鱼香肉丝(退)|-1.00|28.00|1.00|-28.00\n"
                 "啤酒(赠)|1.00|8.00|0.00|0.00\n可乐|2.00|5.00|1.00|10.00"_s);
        const BillChanges::Image after = BillChanges::image(f.t.db, 1, BillChanges::kAfter);
        QCOMPARE(after.fields.mid(3, 3),
                 (QStringList{u"实收金额: 41.30"_s, u"会员编号: *"_s, u"结账方式: 现金"_s}));
        QCOMPARE(after.lines.size(), 3);
    }

    // A deletion keeps the bill as it was; nothing after it.
    void deletionKeepsTheBillAsItWas()
    {
        Fixture f;
        BillModification m(f.t.db, f.manager, f.printer);
        m.setReasonQuestion([] { return std::optional<QString>(u"重复结账"_s); });
        m.open(f.bill());
        while (!m.lines().isEmpty())
            m.removeLine(0);
        Checkout::Focus focus = Checkout::Focus::None;
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(m.save({u"0"_s, {}, {}, Payment::Cash}, focus), Saved::Deleted);
        QCOMPARE(f.t.scalar(u"select count(*) from jzhz"_s), u"0"_s);
        QCOMPARE(BillChanges::image(f.t.db, 1, BillChanges::kBefore).fields, kBefore);
        QCOMPARE(BillChanges::image(f.t.db, 1, BillChanges::kBefore).lines.size(), 4);
        QVERIFY(BillChanges::image(f.t.db, 1, BillChanges::kAfter).fields.isEmpty());
        QCOMPARE(Fixture::joined(BillChanges::rows(f.t.db, Fixture::day(0), Fixture::day(1))),
                 u"1|2026-12-06 12:30:00|"_s + f.number + u"|删除|李经理|51.30||重复结账"_s);
    }

    // Without a reason nothing is saved.
    void reasonRequired_data()
    {
        QTest::addColumn<std::optional<QString>>("reason");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << std::optional<QString>() << QString();
        QTest::newRow("empty") << std::optional<QString>(u"  "_s) << u"请输入修改原因!"_s;
    }
    void reasonRequired()
    {
        QFETCH(std::optional<QString>, reason);
        QFETCH(QString, message);
        Fixture f;
        BillModification m(f.t.db, f.manager, f.printer);
        m.setReasonQuestion([reason] { return reason; });
        m.open(f.bill());
        Checkout::Focus focus = Checkout::Focus::None;
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(m.save({u"51.30"_s, u"51.30"_s, {}, Payment::Cash}, focus), Saved::Stopped);
        QCOMPARE(f.t.prompt.texts().mid(1), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.t.scalar(u"select count(*) from zdxg"_s) + f.t.scalar(u"select bz from jzhz"_s), u"0"_s);
    }

    // The manager's controls: each kind with its value, by operator.
    void controls()
    {
        Fixture f;
        f.restaurant.seat("B1");
        f.restaurant.order("B1", "可乐", 1);
        Checkout free(f.t.db, Cashier{u"王五"_s, u"1"_s, u"0"_s}, f.printer);
        free.open("B1");
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(free.settle({u"0"_s, {}, u"老板请客"_s, Payment::Free}).outcome, Checkout::Outcome::Settled);
        BillModification m(f.t.db, f.manager, f.printer);
        m.setReasonQuestion([] { return std::optional<QString>(u"少收"_s); });
        m.open(f.bill());
        Checkout::Focus focus = Checkout::Focus::None;
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(m.save({u"51.00"_s, u"51.00"_s, {}, Payment::Cash}, focus), Saved::Saved);

        ControlReport report(f.t.db);
        const QString t = u"|2026-12-06 12:30:00|"_s;
        const QString ordered = u"|2026-12-06 11:05:00|"_s;
        const QString n = f.number;
        QCOMPARE(
            Fixture::joined(report.rows(Fixture::day(0), Fixture::day(1), u"全部"_s)).split(u'\n'),
            QStringList({u"退单|"_s + n + u"|鱼香肉丝|1.00|28.00|张三"_s + ordered + u"太咸"_s,
                         u"退单小计|||1|28.00"_s, u"赠送|"_s + n + u"|啤酒|1.00|8.00|张三"_s + ordered,
                         u"赠送小计|||1|8.00"_s, u"免费账单|202612060002|B1||5.00|王五"_s + t + u"老板请客"_s,
                         u"免费账单小计|||1|5.00"_s, u"折扣|"_s + n + u"|A1||7.70|李经理"_s + t,
                         u"折扣小计|||1|7.70"_s, u"抹零|"_s + n + u"|A1||0.30|李经理"_s + t,
                         u"抹零小计|||1|0.30"_s,
                         u"修改/删除|"_s + n + u"|修改 实收51.30→51.00||0.30|李经理"_s + t + u"少收"_s,
                         u"修改/删除小计|||1|0.30"_s}));
        QCOMPARE(Fixture::joined(report.rows(Fixture::day(0), Fixture::day(1), u"王五"_s)),
                 u"免费账单|202612060002|B1||5.00|王五"_s + t + u"老板请客\n免费账单小计|||1|5.00"_s);
    }
};

PELVAR_TEST(tst_BillChanges)
#include "tst_BillChanges.moc"
