#include "CGkYdDlg.h"
#include "CPrintListReportCtrl.h"
#include "CYdGlDlg.h"
#include "FixedClockTest.h"
#include "ModalDialogs.h"
#include "Restaurant.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

namespace {

QString chosen(QTreeWidget* list)
{
    QStringList tables;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        tables << list->topLevelItem(i)->text(0) + list->topLevelItem(i)->text(1);
    return tables.join(',');
}

// In the booking dialog: the running shift offered first; Enter saves, and each refusal puts the
// cursor where the entry is corrected, a time ready to be typed over. Tables move by a double
// click, Enter on a room and "<<", which puts a table back under its room.
void book(CGkYdDlg* dialog, QStringList& seen)
{
    seen << dialog->shiftBox()->currentText() + dialog->arrivalTime()->text();
    QVERIFY(dialog->guest()->hasFocus());
    typeText(dialog->guest(), QStringLiteral("张先生"));
    QTest::keyClick(dialog->guest(), Qt::Key_Return);
    QVERIFY(dialog->phone()->hasFocus());
    typeText(dialog->phone(), QStringLiteral("6612345"));
    {
        // A message box takes the activation while it is up; the dialog gets it back only after
        // the refusal has chosen the field: the hour must still be selected then.
        QDialog box(dialog);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QTest::keyClick(dialog->phone(), Qt::Key_Return);
    }
    dialog->activateWindow(); // as the window manager gives the activation back
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QVERIFY(dialog->arrivalTime()->hasFocus());
    QCOMPARE(dialog->arrivalTime()->findChild<QLineEdit*>()->selectedText(), "10");
    QTest::keyClicks(dialog->arrivalTime(), QStringLiteral("13"));
    QTest::keyClick(dialog->arrivalTime(), Qt::Key_Return); // the hold-until time follows
    QTreeWidget* tree = dialog->freeTables();
    QVERIFY(tree->hasFocus());
    const QPoint a1 = tree->visualItemRect(tree->topLevelItem(0)->child(0)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, a1);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, a1);
    tree->setCurrentItem(tree->topLevelItem(1));
    QTest::keyClick(tree, Qt::Key_Return);
    dialog->chosenTables()->setCurrentItem(dialog->chosenTables()->topLevelItem(1));
    buttonOf(dialog, QStringLiteral("<<"))->click();
    seen << chosen(dialog->chosenTables()) + '|' + tree->topLevelItem(1)->text(0) +
                tree->topLevelItem(1)->child(0)->text(0);
    buttonOf(dialog, QStringLiteral("确定"))->click();
}

} // namespace

class TestReservationScreens : public FixedClockTest
{
    Q_OBJECT
private slots:
    void bookAndManage();
};

// At 12:30 in 午市, a booking made through 增加预订 is listed in blue; 修改预订 opens it with its
// tables chosen; 预订取消 of one table takes its row off the list of booked ones.
void TestReservationScreens::bookAndManage()
{
    SettingsPageFixture f;
    Restaurant r(f.t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A1", "A2"});
    r.tables(QStringLiteral("雅间"), {"B1", "B2"});
    r.book(QStringLiteral("1"), QStringLiteral("A2"), 1, Restaurant::kNow.addSecs(1800),
           QStringLiteral("取消"));
    CYdGlDlg dialog(f.t.db, f.printer, QStringLiteral("李四"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList seen;
    whenModal([&seen](QWidget* modal) { book(qobject_cast<CGkYdDlg*>(modal), seen); });
    buttonOf(&dialog, QStringLiteral("增加预订"))->click();
    QCOMPARE(seen, QStringList({"午市(10:00:00－14:59:59)10:00:00", "大厅A1,雅间B2|雅间B1"}));
    QCOMPARE(f.t.prompt.texts(),
             QStringList({"请输入顾客联系电话!", "预抵时间错误,不能小于或等于当前时间,请重新输入!",
                          "请指定需要预订的餐桌!"}));
    CPrintListReportCtrl* list = dialog.list();
    QCOMPARE(list->cellText(0, 6) + list->cellText(0, 8) + list->cellText(0, 9) + list->cellText(1, 6),
             "A12026-12-06 13:00:0013:00:00B2");
    QCOMPARE(list->model()->index(1, 6).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));

    list->selectRow(1);
    whenModal([&seen](QWidget* modal) {
        auto* booking = qobject_cast<CGkYdDlg*>(modal);
        seen << booking->guest()->text() + chosen(booking->chosenTables());
        buttonOf(booking, QStringLiteral("确定"))->click();
    });
    buttonOf(&dialog, QStringLiteral("修改预订"))->click();
    QCOMPARE(seen.last(), QStringLiteral("张先生大厅A1,雅间B2"));
    list->selectRow(1);
    f.t.prompt.answer(Prompt::Answer::No);
    buttonOf(&dialog, QStringLiteral("预订取消"))->click();
    QCOMPARE(QString::number(list->rowCount()) + list->cellText(0, 6), QStringLiteral("1A1"));
}

PELVAR_TEST(TestReservationScreens)
#include "tst_ReservationScreens.moc"
