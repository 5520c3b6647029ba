#include "CDzDlg.h"
#include "CGkJzDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "FakeSpooler.h"
#include "Gbk.h"
#include "ModalDialogs.h"
#include "PaymentPanel.h"
#include "RawPrinter.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using Payment = Checkout::Payment;

namespace {

// A1 and A2 as one group with 鱼香肉丝 ×2, 红烧肉, a beer that takes no discount and a returned
// dish; B1 in the restaurant with a 可乐. Plain receipts go to the spooler's printer "小票".
struct Fixture
{
    Fixture()
    {
        spooler.printers.insert(u"小票"_s, {});
        t.exec(u"update dysz set jzdy='1',dyjmc='小票',yjkh='1',bt1='我的餐厅',bt2='欢迎光临'"_s);
        restaurant.seat("A1");
        restaurant.seat("A2", "A1");
        restaurant.seat("B1");
        restaurant.order("A1", "鱼香肉丝", 2);
        restaurant.order("A1", "红烧肉", 1);
        restaurant.order("A1", "啤酒", 1);
        restaurant.order("A2", "鱼香肉丝", -1);
        restaurant.order("B1", "可乐", 1);
    }
    QString shown(const QString& label) const { return dialog.amountLabel(label)->text(); }
    PaymentPanel* panel() const { return dialog.paymentPanel(); }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QString column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < dialog.lineList()->rowCount(); ++row)
            texts << dialog.lineList()->cellText(row, column);
        return texts.join(u' ');
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    FakeSpooler spooler;
    RawPrinter raw{spooler, t.prompt};
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, raw};
    DefaultPrinter defaultPrinter;
    // 系统管理员 vouches with "pw"; the check says itself why it refuses.
    CGkJzDlg dialog{t.db, Cashier{u"张三"_s, u"0.80"_s, u"1"_s}, printer, defaultPrinter,
                    [this](const QString& name, const QString& typed) {
                        if (name == u"系统管理员" && typed == u"pw")
                            return true;
                        t.prompt.warn(u"密码不正确!"_s);
                        return false;
                    }};
};

} // namespace

class tst_CGkJzDlg : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    // On account, 免费 takes 实收金额 to 0 and closes nothing else; 现金 gives it back.
    void onAccountFreeThenCash()
    {
        Fixture f;
        Checkout first(f.t.db, Cashier{u"张三"_s, u"1"_s, u"0"_s}, f.printer);
        first.open(u"B1"_s);
        f.t.prompt.answer(Prompt::Answer::Yes);
        QCOMPARE(first.settle({u"5.00"_s, {}, u"月结"_s, Payment::OnAccount}).billNumber, u"202612060001"_s);
        f.t.prompt.clear();
        f.dialog.loadOnAccount({u"202612060001"_s, u"B1"_s, u"*"_s, u"5.00"_s, u"月结"_s});
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
        QLineEdit* received = f.panel()->receivedEdit();
        QTest::mouseClick(f.panel()->paymentButton(Payment::Free), Qt::LeftButton);
        QCOMPARE(received->text() + f.shown(u"优惠金额"_s), u"05.00"_s);
        QTest::mouseClick(f.panel()->paymentButton(Payment::Cash), Qt::LeftButton);
        QCOMPARE(received->text() + f.shown(u"优惠金额"_s), u"5.000.00"_s);
        QVERIFY(!received->isEnabled() && f.panel()->paidEdit()->isEnabled());
        f.panel()->paidEdit()->setText(u"10"_s);
        f.t.prompt.answer(Prompt::Answer::Yes);
        QTest::mouseClick(f.dialog.button(u"结账(F4)"_s), Qt::LeftButton);
        QCOMPARE(f.t.prompt.texts().first(), u"是否真的要结账？"_s);
        QCOMPARE(f.t.scalar(u"select printf('%.2f',ssje)||jzfs from jzhz"_s), u"5.00现金"_s);
    }

    void checkoutByKeys()
    {
        Fixture f;
        f.restaurant.member(u"张三"_s, 0.95);
        const QString member = f.restaurant.member(u"张四"_s, 0.9);
        f.dialog.loadTable(u"A2"_s);
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
        QCOMPARE(f.dialog.windowTitle() + f.shown(u"结账单号"_s) + f.shown(u"结帐餐桌"_s),
                 u"顾客结账202612060001A2"_s);
        QTreeWidgetItem* root = f.dialog.areaTree()->topLevelItem(0);
        QCOMPARE(root->text(0) + root->child(0)->text(0) + root->child(0)->child(0)->text(0),
                 u"(结账单号)202612060001A1A2"_s);
        QCOMPARE(f.column(1) + u'|' + f.column(7),
                 u"鱼香肉丝 红烧肉 啤酒 鱼香肉丝(退) |56.00 38.50 8.00 -28.00 74.50"_s);
        QCOMPARE(f.dialog.lineList()->model()->index(3, 1).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::red));
        QCOMPARE(f.shown(u"消费合计"_s) + u'|' + f.shown(u"应收金额"_s), u"74.50|74.50"_s);
        QCOMPARE(QApplication::focusWidget(), f.panel()->paidEdit());

        // F4 with nothing received: refused, the cursor in 实收金额 with its text selected.
        f.key(Qt::Key_F4);
        QCOMPARE(f.t.prompt.last(), u"实收金额不正确!"_s);
        QCOMPARE(QApplication::focusWidget(), f.panel()->receivedEdit());
        QCOMPARE(f.panel()->receivedEdit()->selectedText(), u"0"_s);
        // 挂账 takes no payment, 免费 no amount either.
        QTest::mouseClick(f.panel()->paymentButton(Payment::OnAccount), Qt::LeftButton);
        QVERIFY(!f.panel()->paidEdit()->isEnabled() && f.panel()->receivedEdit()->isEnabled());
        QTest::mouseClick(f.panel()->paymentButton(Payment::Free), Qt::LeftButton);
        QVERIFY(!f.panel()->receivedEdit()->isEnabled() && f.shown(u"优惠金额"_s) == u"74.50");
        QTest::mouseClick(f.panel()->paymentButton(Payment::Cash), Qt::LeftButton);

        // The member list by keys; blanks and quotes leave the search, the list covers 实收金额.
        f.panel()->memberEdit()->setFocus();
        QTest::keyClicks(f.panel()->memberEdit(), u"z s'"_s);
        QVERIFY(f.panel()->memberEdit()->text() == u"zs" && f.panel()->memberList()->isVisible() &&
                !f.panel()->receivedEdit()->isVisible());
        f.key(Qt::Key_Down);
        f.key(Qt::Key_Return);
        QVERIFY(!f.panel()->memberList()->isVisible());
        QCOMPARE(f.shown(u"会员名"_s) + f.shown(u"折扣"_s) + f.shown(u"应收金额"_s), u"张四0.9067.85"_s);

        // "/" from the numeric pad on the line list: the discount dialog for 红烧肉 alone.
        f.dialog.lineList()->selectRow(1);
        whenModal([&f](QWidget* modal) {
            const auto close = qScopeGuard([modal] { modal->close(); }); // also when a check fails
            auto* discount = qobject_cast<CDzDlg*>(modal);
            QVERIFY(discount);
            QCOMPARE(discount->windowTitle() + discount->limitLabel()->text(), u"打折当前最低折扣为:0.80"_s);
            QCOMPARE(QApplication::focusWidget(), discount->ratioEdit());
            // A refused ratio keeps it open with the ratio selected for retyping.
            discount->ratioEdit()->selectAll();
            QTest::keyClicks(discount->ratioEdit(), u"0.75"_s);
            QTest::keyClick(discount->ratioEdit(), Qt::Key_Return);
            QCOMPARE(f.t.prompt.last(), u"折扣错误，当前操最低折扣为:0.80，请从新输入!"_s);
            QVERIFY(discount->isVisible() && discount->ratioEdit()->selectedText() == u"0.75");
            // Enter in the password switches the operator: 系统管理员 may go down to 0.
            discount->operatorBox()->setCurrentText(u"系统管理员"_s);
            QTest::keyClicks(discount->passwordEdit(), u"x"_s);
            QTest::keyClick(discount->passwordEdit(), Qt::Key_Return);
            QCOMPARE(f.t.prompt.last() + discount->passwordEdit()->text(), u"密码不正确!"_s);
            QTest::keyClicks(discount->passwordEdit(), u"pw"_s);
            QTest::keyClick(discount->passwordEdit(), Qt::Key_Return);
            QCOMPARE(discount->limitLabel()->text(), u"当前最低折扣为:0.00"_s);
            discount->selectedScope()->setFocus();
            QTest::keyClick(discount->selectedScope(), Qt::Key_Space);
            discount->ratioEdit()->selectAll();
            QTest::keyClicks(discount->ratioEdit(), u"0.5"_s);
            QTest::keyClick(discount->ratioEdit(), Qt::Key_Return);
        });
        QTest::keyClick(f.dialog.lineList(), Qt::Key_Slash, Qt::KeypadModifier);
        QCOMPARE(f.column(5), u"0.90 0.50 1.00 0.90 "_s);
        QTRY_COMPARE(QApplication::focusWidget(), f.panel()->receivedEdit());

        // A line selected in an in-store group's list takes a discount too; → adds the group.
        QTreeWidget* inStore = f.dialog.inStoreTree();
        inStore->setCurrentItem(inStore->topLevelItem(0));
        QCOMPARE(f.dialog.linesFrame()->title() + f.column(1), u"餐桌:B1消费明细可乐 "_s);
        f.dialog.lineList()->selectRow(0);
        whenModal([](QWidget* modal) {
            auto* discount = qobject_cast<CDzDlg*>(modal);
            discount->selectedScope()->setChecked(true);
            discount->ratioEdit()->selectAll();
            QTest::keyClicks(discount->ratioEdit(), u"0.8"_s);
            QTest::keyClick(discount->ratioEdit(), Qt::Key_Return);
        });
        QTest::mouseClick(f.dialog.button(u"折扣(/)"_s), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), f.panel()->receivedEdit());
        inStore->setCurrentItem(inStore->topLevelItem(0));
        QTest::mouseClick(f.dialog.button(u"→"_s), Qt::LeftButton);
        QCOMPARE(f.shown(u"消费合计"_s) + u'|' + f.shown(u"应收金额"_s), u"79.50|56.45"_s);

        // Rounded off by 0.45; Enter goes on to 顾客支付; F4 settles and prints.
        f.panel()->receivedEdit()->setFocus();
        f.panel()->receivedEdit()->selectAll();
        QTest::keyClicks(f.panel()->receivedEdit(), u"56"_s);
        f.key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.panel()->paidEdit());
        QTest::keyClicks(f.panel()->paidEdit(), u"100"_s);
        QCOMPARE(f.shown(u"找零"_s), u"44.00"_s);
        f.t.prompt.clear();
        f.t.prompt.answer(Prompt::Answer::Yes);
        f.key(Qt::Key_F4);
        QCOMPARE(f.t.prompt.texts(), (QStringList{"是否真的要结账？", "结账完毕!"}));
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.t.scalar(u"select printf('%.2f|%.2f|%.2f|',xfje,dzje,ssje)||hybh from jzhz"_s),
                 u"79.50|23.50|56.00|"_s + member);
        // The plain receipt in GBK, as the spooler took it.
        const QByteArray bytes = f.spooler.documents.value(0).bytes;
        for (const QString& text : {u"我的餐厅\n欢迎光临\n"_s, u" 账单号:202612060001   收银员:张三\n"_s,
                                    u"红烧肉              1.00   38.50   19.25\n"_s,
                                    u"预收金额:      ￥100.00\n找零金额:      ￥44.00\n"_s})
            QVERIFY2(bytes.contains(Gbk::encode(text)), qPrintable(text));
    }
};

PELVAR_TEST(tst_CGkJzDlg)
#include "tst_CGkJzDlg.moc"
