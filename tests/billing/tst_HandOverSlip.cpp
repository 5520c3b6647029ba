#include "Checkout.h"
#include "Clock.h"
#include "FixedClockTest.h"
#include "HandOverSlip.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;

namespace {

struct Fixture
{
    // Settles the table by the cashier at the clock's time.
    void settle(const QString& table, const QString& who, const Checkout::Entry& entry)
    {
        Checkout checkout(t.db, Cashier{who, u"0.5"_s, u"1"_s}, printer);
        checkout.open(table);
        t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(checkout.settle(entry).outcome, Checkout::Outcome::Settled);
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    QString printed;
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, [this](const QString&, const QString&, const QString& text) {
                               printed = text;
                               return true;
                           }};
};

} // namespace

class tst_HandOverSlip : public FixedClockTest
{
    Q_OBJECT

private slots:
    // The slip equals the bills, lines and bookings of the operator's shift, and nothing else.
    void slipOfTheShift()
    {
        Fixture f;
        // Before the shift, and another cashier's: not on the slip.
        f.restaurant.seat("A3");
        f.restaurant.order("A3", "可乐", 1);
        Clock::setFixed(Restaurant::kNow.addSecs(-5 * 3600));
        f.settle("A3", u"张三"_s, {u"5"_s, u"5"_s, {}, Payment::Cash});
        Clock::setFixed(Restaurant::kNow);
        f.restaurant.seat("B2");
        f.restaurant.order("B2", "可乐", 1);
        f.settle("B2", u"王五"_s, {u"5"_s, u"5"_s, {}, Payment::Cash});

        // A1: 红烧肉 ×2 at 0.9, a 鱼香肉丝 returned, a beer given, 可乐 ×2: due 51.30, received
        // 51.00, 30 by 微信. B1 on account, C1 free.
        f.restaurant.seat("A1");
        f.restaurant.order("A1", "红烧肉", 2, 0.9);
        f.restaurant.order("A1", "鱼香肉丝", -1);
        f.restaurant.order("A1", "啤酒", 1, 0);
        f.restaurant.order("A1", "可乐", 2);
        f.settle("A1", u"张三"_s, {u"51"_s, u"30"_s, {}, Payment::Cash, {{u"微信"_s, 3000}}});
        f.restaurant.seat("B1");
        f.restaurant.order("B1", "鱼香肉丝", 1);
        f.settle("B1", u"张三"_s, {u"28"_s, {}, u"月结"_s, Payment::OnAccount});
        f.restaurant.seat("C1");
        f.restaurant.order("C1", "红烧肉", 1);
        f.settle("C1", u"张三"_s, {u"0"_s, {}, u"请客"_s, Payment::Free});
        // A booking of two tables with one deposit, taken at 10:00; one taken before the shift.
        for (const char* table : {"A2", "A3"})
            f.t.exec(
                u"insert into yd (ydbh,czmc,yj,czy,zt) values ('20261206100000','%1','100','张三','已订')"_s
                    .arg(QString::fromUtf8(table)));
        f.t.exec(u"insert into yd (ydbh,czmc,yj,czy,zt) values ('20261206070000','B2','50','张三','已订')"_s);

        HandOverSlip::Slip slip = HandOverSlip::compute(
            f.t.db, u"张三"_s, QDateTime(QDate(2026, 12, 6), QTime(8, 0)), Restaurant::kNow);
        QVERIFY(!HandOverSlip::count(f.t.prompt, slip, u"2O"_s));
        QCOMPARE(f.t.prompt.texts().last(), u"实点现金输入错误,请重新输入!"_s);
        QVERIFY(HandOverSlip::count(f.t.prompt, slip, u"20"_s));
        const QStringList lines = HandOverSlip::lines(slip, u"我的餐厅"_s);
        const QString sep = u" "_s + QString(39, u'-');
        QCOMPARE(lines, (QStringList{u"  我的餐厅"_s,
                                     u"  交班单"_s,
                                     sep,
                                     u" 交班人:张三"_s,
                                     u" 接班时间: 2026-12-06 08:00:00"_s,
                                     u" 交班时间: 2026-12-06 12:30:00"_s,
                                     sep,
                                     u" 账单数:        3"_s,
                                     u" 消费:          ￥133.50"_s,
                                     u" 优惠:          ￥54.50"_s,
                                     u" 实收:          ￥79.00"_s,
                                     sep,
                                     u" 微信:          ￥30.00"_s,
                                     u" 现金:          ￥21.00"_s,
                                     sep,
                                     u" 挂账:1单       ￥28.00"_s,
                                     u" 免费:1单       ￥38.50"_s,
                                     u" 抹零:          ￥0.30"_s,
                                     u" 退单:1项       ￥28.00"_s,
                                     u" 赠送:1项       ￥8.00"_s,
                                     u" 押金:1单       ￥100.00"_s,
                                     sep,
                                     u" 应有现金:      ￥21.00"_s,
                                     u" 实点现金:      ￥20.00"_s,
                                     u" 差额:          ￥-1.00"_s,
                                     sep}));

        // Kept, listed and printed again as it was.
        Clock::setFixed(Restaurant::kNow.addSecs(60));
        const qint64 number = HandOverSlip::keep(f.t.db, slip, lines);
        QCOMPARE(HandOverSlip::records(f.t.db, Restaurant::kNow.addDays(-1), Restaurant::kNow.addDays(1),
                                       u"全部"_s),
                 (QList<QStringList>{{QString::number(number), u"2026-12-06 12:30:00"_s, u"张三"_s,
                                      u"2026-12-06 08:00:00"_s, u"3"_s, u"79.00"_s, u"21.00"_s, u"20.00"_s,
                                      u"-1.00"_s}}));
        QVERIFY(HandOverSlip::records(f.t.db, Restaurant::kNow.addDays(-1), Restaurant::kNow.addDays(1),
                                      u"王五"_s)
                    .isEmpty());
        QCOMPARE(HandOverSlip::keptLines(f.t.db, number), lines);
        f.t.exec(u"update dysz set dyjmc='前台',yjkh='1'"_s);
        QVERIFY(f.printer.printSlip(HandOverSlip::keptLines(f.t.db, number), u"交班单"_s));
        QCOMPARE(f.printed, lines.join(u'\n') + QString(11, u'\n'));
    }
};

PELVAR_TEST(tst_HandOverSlip)
#include "tst_HandOverSlip.moc"
