#include "CDzDlg.h"
#include "CGzZdDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CSyHzDlg.h"
#include "CSyMxDlg.h"
#include "CXgZdDlg.h"
#include "CZjXfDlg.h"
#include "DefaultPrinter.h"
#include "ModalDialogs.h"
#include "PaymentPanel.h"
#include "QuantityDialog.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Today's cash bill of 张三 at A1 (鱼香肉丝 ×2 and one returned) and yesterday's on-account bill.
struct Fixture
{
    Fixture()
    {
        Clock::setFixed(Restaurant::kNow);
        t.exec(u"insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj,bz) values"
               "('202612060001','A1',28,0,28,0,'现金','张三','2026-12-06 12:00:00','熟客'),"
               "('202612050001','B1',5,0,5,0,'挂账','张三','2026-12-05 20:00:00','月结')"_s);
        restaurant.line("A1", "鱼香肉丝", 2, 28);
        restaurant.line("A1", "鱼香肉丝", -1, 28);
        t.exec(u"update xfmx set jzzdh='202612060001',jzbj='1'"_s);
        restaurant.line("B1", "可乐", 1, 5);
        t.exec(u"update xfmx set jzzdh='202612050001',jzbj='1' where czm='B1'"_s);
    }
    ~Fixture() { Clock::clearFixed(); }
    static QPushButton* button(QWidget* dialog, const QString& text)
    {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    static QString row(const CPrintListReportCtrl* list, int row)
    {
        QStringList texts;
        for (int column = 0; column < list->columnCount(); ++column)
            texts << list->cellText(row, column);
        return texts.join(u'|');
    }

    TestDatabase t;
    Restaurant restaurant = Restaurant::withMenu(t);
    ReceiptPrinter printer{t.db, u"我的餐厅"_s, nullptr};
    DefaultPrinter defaultPrinter;
    Cashier cashier{u"张三"_s, u"1"_s, u"0"_s};
    Discount::PasswordCheck check = [](const QString&, const QString&) { return false; };
};

} // namespace

class tst_BillDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cashierDetailListsBillsAndLines()
    {
        Fixture f;
        CSyMxDlg dialog(f.t.db, f.cashier, true, f.printer, f.defaultPrinter, f.check);
        QCOMPARE(dialog.cashierBox()->currentText() + dialog.methodBox()->currentText(), u"全部全部"_s);
        Fixture::button(&dialog, u"查　询"_s)->click();
        QCOMPARE(Fixture::row(dialog.billList(), 0),
                 u"202612060001|A1|28.00|0.00|28.00|*|现金|张三|2026-12-06 12:00:00|熟客"_s);
        dialog.billList()->selectRow(0);
        QCOMPARE(Fixture::row(dialog.lineList(), 1).left(19), u"2|鱼香肉丝(退)|A1|-1.00|"_s);
        QCOMPARE(dialog.lineList()->model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::red));
        // The total row: nothing to modify, nothing asked.
        dialog.billList()->selectRow(1);
        Fixture::button(&dialog, u"修　改"_s)->click();
        QVERIFY(f.t.prompt.texts().isEmpty());

        CSyHzDlg summary(f.t.db, f.cashier.name, f.defaultPrinter);
        summary.setRange(Restaurant::kNow.addDays(-5), Restaurant::kNow.addDays(-4));
        Fixture::button(&summary, u"统计(&Q)"_s)->click();
        QCOMPARE(Fixture::row(summary.list(), 0), u"合计|0.00|0.00|0.00"_s);
    }

    void modifiedByKeys()
    {
        Fixture f;
        CXgZdDlg dialog(f.t.db, f.cashier, f.printer, f.defaultPrinter, f.check);
        dialog.load({u"202612060001"_s, u"A1"_s, u"28.00"_s, u"*"_s, u"现金"_s, u"熟客"_s,
                     u"2026-12-06 12:00:00"_s, u"张三"_s});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.paymentPanel()->paidEdit());
        QCOMPARE(dialog.paymentPanel()->noteEdit()->text() + dialog.amountLabel(u"消费合计"_s)->text(),
                 u"熟客[已修改]28.00"_s);

        // The quantity refuses text that is no number and keeps the cursor there.
        dialog.lineList()->selectRow(0);
        whenModal([&f](QWidget* modal) {
            const auto close = qScopeGuard([modal] { modal->close(); });
            auto* quantity = qobject_cast<QuantityDialog*>(modal);
            QVERIFY(quantity && QApplication::focusWidget() == quantity->quantityEdit());
            QTest::keyClicks(quantity->quantityEdit(), u"abc"_s);
            QTest::keyClick(quantity->quantityEdit(), Qt::Key_Return);
            QCOMPARE(f.t.prompt.last(), u"消费数量必须大于0!"_s);
            QVERIFY(quantity->isVisible() && QApplication::focusWidget() == quantity->quantityEdit());
            QTest::keyClicks(quantity->quantityEdit(), u"3"_s);
            QTest::keyClick(quantity->quantityEdit(), Qt::Key_Return);
        });
        Fixture::button(&dialog, u"修改数量"_s)->click();
        // 增加消费: a dish found by its number, added by Enter, handed over by 确定.
        whenModal([](QWidget* modal) {
            const auto close = qScopeGuard([modal] { modal->close(); });
            auto* add = qobject_cast<CZjXfDlg*>(modal);
            QVERIFY(add);
            QTest::keyClicks(add->searchEdit(), u"4"_s);
            QTest::keyClick(add->searchEdit(), Qt::Key_Return);
            QCOMPARE(Fixture::row(add->chosenList(), 0).left(25), u"1|可乐|A1|1.00|5.00|1.00|张三"_s);
            Fixture::button(add, u"确定"_s)->click();
        });
        Fixture::button(&dialog, u"增加消费"_s)->click();
        QCOMPARE(dialog.amountLabel(u"消费合计"_s)->text() + u'|' + dialog.lineList()->cellText(0, 3),
                 u"61.00|3.00"_s);

        dialog.paymentPanel()->receivedEdit()->setText(u"61"_s);
        dialog.paymentPanel()->paidEdit()->setText(u"100"_s);
        f.t.prompt.answer(Prompt::Answer::Yes);
        // The reason is asked at saving, and kept with the bill as it was.
        whenModal([](QWidget* modal) {
            auto* reason = qobject_cast<QInputDialog*>(modal);
            QVERIFY(reason);
            reason->setTextValue(u"加了一瓶可乐"_s);
            reason->accept();
        });
        Fixture::button(&dialog, u"确定"_s)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.t.scalar(u"select xfje||ssje||bz from jzhz where zdh='202612060001'"_s),
                 u"61.061.0熟客[已修改]"_s);
        QCOMPARE(f.t.scalar(u"select zdh||czlx||czr||yy from zdxg"_s), u"202612060001修改张三加了一瓶可乐"_s);
    }

    // A click on a header sorts a list; the commands still act on the rows the operator chose.
    void sortedListsActOnTheChosenLines()
    {
        Fixture f;
        f.t.exec(u"insert into jzhz(zdh,czm,xfje,dzje,ssje,hybh,jzfs,jzr,jzsj,bz) values"
                 "('202612060002','A2',71.5,0,71.5,0,'现金','张三','2026-12-06 12:10:00','')"_s);
        for (const char* dish : {"红烧肉", "可乐", "鱼香肉丝"})
            f.restaurant.order("A2", dish, 1);
        f.t.exec(u"update xfmx set jzzdh='202612060002',jzbj='1' where czm='A2'"_s);
        CXgZdDlg dialog(f.t.db, Cashier{u"张三"_s, u"0.5"_s, u"0"_s}, f.printer, f.defaultPrinter, f.check);
        dialog.load({u"202612060002"_s,
                     u"A2"_s,
                     u"71.50"_s,
                     u"*"_s,
                     u"现金"_s,
                     {},
                     u"2026-12-06 12:10:00"_s,
                     u"张三"_s});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        CPrintListReportCtrl* list = dialog.lineList();
        // A header click sorts, the next one turns the order round: ascending by 单价.
        const auto sortByPrice = [](CPrintListReportCtrl* list) {
            QHeaderView* header = list->horizontalHeader();
            do
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
            while (header->sortIndicatorOrder() != Qt::AscendingOrder);
        };
        const auto items = [&dialog] {
            QStringList names;
            for (const BillModification::Line& line : dialog.modification().lines())
                names << line.item + u' ' + line.quantity + u' ' + line.ratio;
            return names.join(u", ");
        };

        sortByPrice(list);
        QCOMPARE(list->cellText(0, 1), u"可乐"_s);
        list->selectRow(0);
        Fixture::button(&dialog, u"删除消费"_s)->click();
        QCOMPARE(items(), u"红烧肉 1.00 1.00, 鱼香肉丝 1.00 1.00"_s);

        sortByPrice(list);
        QCOMPARE(list->cellText(0, 1), u"鱼香肉丝"_s);
        list->selectRow(0);
        QString named;
        whenModal([&named](QWidget* modal) {
            const auto close = qScopeGuard([modal] { modal->close(); });
            auto* quantity = qobject_cast<QuantityDialog*>(modal);
            QVERIFY(quantity);
            for (QLabel* label : quantity->findChildren<QLabel*>())
                named += label->text();
            quantity->quantityEdit()->setText(u"3"_s);
            QTest::keyClick(quantity->quantityEdit(), Qt::Key_Return);
        });
        Fixture::button(&dialog, u"修改数量"_s)->click();
        QVERIFY2(named.contains(u"鱼香肉丝"_s) && !named.contains(u"红烧肉"_s), qPrintable(named));
        QCOMPARE(items(), u"红烧肉 1.00 1.00, 鱼香肉丝 3.00 1.00"_s);

        sortByPrice(list);
        QCOMPARE(list->cellText(1, 1), u"红烧肉"_s);
        list->selectRow(1);
        whenModal([](QWidget* modal) {
            auto* discount = qobject_cast<CDzDlg*>(modal);
            QVERIFY(discount);
            discount->selectedScope()->setChecked(true);
            discount->ratioEdit()->selectAll();
            QTest::keyClicks(discount->ratioEdit(), u"0.8"_s);
            QTest::keyClick(discount->ratioEdit(), Qt::Key_Return);
        });
        Fixture::button(&dialog, u"折扣"_s)->click();
        QCOMPARE(items(), u"红烧肉 1.00 0.80, 鱼香肉丝 3.00 1.00"_s);

        // 增加消费's own list: the chosen row goes, whatever the order shown.
        whenModal([&sortByPrice](QWidget* modal) {
            const auto close = qScopeGuard([modal] { modal->close(); });
            auto* add = qobject_cast<CZjXfDlg*>(modal);
            QVERIFY(add);
            for (const QString& number : {u"2"_s, u"4"_s}) {
                add->searchEdit()->setText({});
                QTest::keyClicks(add->searchEdit(), number);
                QTest::keyClick(add->searchEdit(), Qt::Key_Return);
            }
            sortByPrice(add->chosenList());
            QCOMPARE(add->chosenList()->cellText(0, 1), u"可乐"_s);
            add->chosenList()->selectRow(0);
            Fixture::button(add, u"删除"_s)->click();
            Fixture::button(add, u"确定"_s)->click();
        });
        Fixture::button(&dialog, u"增加消费"_s)->click();
        QCOMPARE(items(), u"红烧肉 1.00 0.80, 鱼香肉丝 3.00 1.00, 红烧肉 1.00 1.00"_s);
    }

    // The member list of the payment side, sorted by a header click, picks the member of the row.
    void sortedMemberListPicksTheChosenMember()
    {
        Fixture f;
        f.restaurant.member(u"王五"_s, 0.9);
        const QString zhao = f.restaurant.member(u"赵六"_s, 0.8);
        PaymentPanel panel(f.t.db, f.defaultPrinter, false, nullptr);
        QString picked;
        QObject::connect(&panel, &PaymentPanel::memberPicked,
                         [&picked](const MemberSearch::Member& member) { picked = member.number; });
        panel.show();
        Fixture::button(&panel, u"..."_s)->click();
        CPrintListReportCtrl* list = panel.memberList();
        QCOMPARE(list->cellText(0, 1), u"王五"_s);
        // Sorted by 折扣: 赵六's 0.80 comes first.
        QHeaderView* header = list->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
        QCOMPARE(list->cellText(0, 1), u"赵六"_s);
        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(picked, zhao);
    }

    void onAccountBillsByQuery()
    {
        Fixture f;
        CGzZdDlg dialog(f.t.db, f.cashier, false, f.printer, f.defaultPrinter, f.check);
        Fixture::button(&dialog, u"查询(&Q)"_s)->click();
        QCOMPARE(Fixture::row(dialog.billList(), 0).left(39),
                 u"202612050001|B1|5.00|0.00|5.00|*|挂账|张三|"_s);
        dialog.billList()->selectRow(0);
        QCOMPARE(Fixture::row(dialog.lineList(), 0).left(31), u"202612050001|可乐|1.00|5.00|1.00|"_s);
        Fixture::button(&dialog, u"结账(&A)"_s)->click();
        QCOMPARE(f.t.prompt.last(), u"你没有此操作权限!"_s);
    }
};

PELVAR_TEST(tst_BillDialogs)
#include "tst_BillDialogs.moc"
