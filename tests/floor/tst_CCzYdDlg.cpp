#include "CCzYdDlg.h"
#include "Clock.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// A booking of A1 and A2 for this shift today, and another guest's booking of A3.
struct Booked
{
    Booked()
    {
        Clock::setFixed(Restaurant::kNow);
        Restaurant(t).shifts();
        for (const char* table : {"A1", "A2", "A3"})
            Restaurant(t).table(QString::fromLatin1(table));
        a1 = Restaurant(t).book(QStringLiteral("20261206090000"), QStringLiteral("A1"), 1,
                                Restaurant::kNow.addSecs(1800));
        a2 = Restaurant(t).book(QStringLiteral("20261206090000"), QStringLiteral("A2"), 1,
                                Restaurant::kNow.addSecs(1800));
        Restaurant(t).book(QStringLiteral("20261206091111"), QStringLiteral("A3"), 1,
                           Restaurant::kNow.addSecs(1800));
    }
    TestDatabase t;
    int a1 = 0;
    int a2 = 0;
};

QPushButton* ok(CCzYdDlg& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

class TestCCzYdDlg : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void listsTheBookingTicked();
    void untickedTablesStay();
    void nothingTickedStaysOpen();
    void occupiedTableStaysOpen();
};

void TestCCzYdDlg::listsTheBookingTicked()
{
    Booked b;
    CCzYdDlg dialog(b.t.db, QStringLiteral("A2"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("此餐桌预订情况"));
    QVERIFY(dialog.findChild<QLabel*>()->text() ==
            QStringLiteral("预订此餐桌的顾客在当前时段所预订的餐桌如下："));
    QTreeWidget* list = dialog.list();
    QStringList headers;
    for (int c = 0; c < list->columnCount(); ++c)
        headers << list->headerItem()->text(c);
    QCOMPARE(headers, (QStringList{"顾客姓名", "房间", "餐桌", "押金", "联系电话", "手机号码", "预抵时间",
                                   "取消时间", "备注"}));
    QCOMPARE(list->topLevelItemCount(), 2);
    QStringList first;
    for (int c = 0; c < list->columnCount(); ++c)
        first << list->topLevelItem(0)->text(c);
    QCOMPARE(first, (QStringList{"张先生", "大厅", "A1", "100", "6612345", "13800000000",
                                 "2026-12-06 13:00:00", "13:30:00", "靠窗"}));
    QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Checked);
    QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
    ok(dialog)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.tables(), (QStringList{"A1", "A2"}));
    QCOMPARE(dialog.ids(), (QList<int>{b.a1, b.a2}));
}

void TestCCzYdDlg::untickedTablesStay()
{
    Booked b;
    CCzYdDlg dialog(b.t.db, QStringLiteral("A1"));
    dialog.list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    ok(dialog)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.tables(), QStringList{"A2"});
    QCOMPARE(dialog.ids(), QList<int>{b.a2});
}

void TestCCzYdDlg::nothingTickedStaysOpen()
{
    Booked b;
    CCzYdDlg dialog(b.t.db, QStringLiteral("A1"));
    dialog.show();
    for (int i = 0; i < 2; ++i)
        dialog.list()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    ok(dialog)->click();
    QCOMPARE(b.t.prompt.texts(), QStringList{"未选定餐桌!"});
    QVERIFY(dialog.isVisible());
}

void TestCCzYdDlg::occupiedTableStaysOpen()
{
    Booked b;
    Restaurant(b.t).occupy(QStringLiteral("A2"), Restaurant::kNow);
    CCzYdDlg dialog(b.t.db, QStringLiteral("A1"));
    dialog.show();
    ok(dialog)->click();
    QCOMPARE(b.t.prompt.texts(), QStringList{"餐桌:A2正在使用,请取消该餐桌!"});
    QVERIFY(dialog.isVisible());
}

PELVAR_TEST(TestCCzYdDlg)
#include "tst_CCzYdDlg.moc"
