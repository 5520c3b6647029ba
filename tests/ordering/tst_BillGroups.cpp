#include "BillMerge.h"
#include "BillSplit.h"
#include "CBillMergeDlg.h"
#include "CBillSplitDlg.h"
#include "Checkout.h"
#include "Clock.h"
#include "CTableChangeDlg.h"
#include "ReceiptPrinter.h"
#include "Restaurant.h"
#include "SettingsPageFixture.h"
#include "Sql.h"
#include "TableChange.h"
#include "TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using Answer = Prompt::Answer;

namespace {

// Open groups A1 (4 guests, a note), B1 with B2, and C1, each table with a line, in the lunch
// shift; the room Kate's has P'1 (reserved for the evening), P2 (reserved for now) and P3.
struct Floor
{
    Floor() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(Restaurant::kNow);
        r.shifts();
        r.tables(u"Kate's"_s, {"P'1", "P2", "P3"});
        r.book(u"20261201100000"_s, u"P2"_s, 1, Restaurant::kNow);
        r.book(u"20261201100001"_s, u"P'1"_s, 2, Restaurant::kNow);
        a1 = r.open({"A1"}, Restaurant::kNow.addSecs(-3600), 4, u"生日宴"_s);
        b1 = r.open({"B1", "B2"}, Restaurant::kNow.addSecs(-3000));
        c1 = r.open({"C1"}, Restaurant::kNow.addSecs(-2400));
        r.order(u"A1"_s, u"鱼香肉丝"_s, 2);
        r.order(u"B1"_s, u"红烧肉"_s, 1);
        r.order(u"B2"_s, u"啤酒"_s, 2);
        r.order(u"C1"_s, u"可乐"_s, 3);
        before = state();
    }
    ~Floor() { Clock::clearFixed(); }

    // The groups, the tables and the open lines, to show that nothing changed.
    QString state()
    {
        return r.groupState().join(u' ') + t.scalar(u"select group_concat(czm||zyzt||xfhj||bz) from cz"_s) +
               t.scalar(u"select group_concat(czm||xfxm) from xfmx where jzbj='0'"_s);
    }
    // Checks the table's group out through the checkout, in cash: the tables billed (the main
    // table first) and the amount of the lines settled under the bill.
    QString settle(const QString& table)
    {
        const QString bill = r.checkout(table);
        QStringList tables;
        for (Recordset rs = t.db.query(u"select czm from dj where jzdh="_s + Sql::quote(bill) +
                                       u" order by zdbj desc,czm"_s);
             !rs.isEOF(); rs.moveNext())
            tables << rs.getString(u"czm"_s);
        return tables.join(u',') + u' ' +
               t.scalar(u"select printf('%.2f', sum(ysje)) from xfmx where jzzdh="_s + Sql::quote(bill));
    }
    template <class Dialog> void show(Dialog& dialog)
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

    TestDatabase t;
    Restaurant r;
    QString a1, b1, c1, before;
};

// A list's rows: column 1 (the table), or column 0 and a "+" per child.
QStringList rows(const QTreeWidget* list, int column = 1)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column) + QString(list->topLevelItem(i)->childCount(), u'+');
    return texts;
}

} // namespace

class TestBillGroups : public QObject
{
    Q_OBJECT
private slots:
    void changeTable()
    {
        Floor f;
        f.t.exec(u"insert into xfmx (czm,xfxm,ysje,jzbj,jzzdh) values ('A1','旧账',30,'1','202612050001')"_s);
        TableChange change(f.t.db);
        QVERIFY(change.move(u"A1"_s, u"P'1"_s));
        const QString live = u"zyzt||'|'||printf('%.2f',xfhj)||'|'||jdsj||'|'||yzrs||'|'||yysj||'|'||bz"_s;
        QCOMPARE(f.r.field(u"cz"_s, live, u"czm='P''1'"_s),
                 u"占用|56.00|2026-12-06 11:30:00|4|0小时5分|生日宴"_s);
        QCOMPARE(f.r.field(u"cz"_s, live, u"czm='A1'"_s), u"空闲|0.00||||"_s);
        // The registration follows the guests, keeping its room; the settled line stays.
        QCOMPARE(f.r.registration(u"P'1"_s, u"djbh||zdbh||zdbj||fjm||printf('%.2f',xfhj)"_s),
                 f.a1 + f.a1 + u"y大厅56.00"_s);
        QCOMPARE(f.r.field(u"xfmx"_s, u"czm"_s, u"xfxm='旧账'"_s), u"A1"_s);
        QCOMPARE(f.settle(u"P'1"_s), u"P'1 56.00"_s);
        // A moved main table keeps its group: a checkout from the other table gathers it.
        QVERIFY(change.move(u"B1"_s, u"P3"_s));
        QCOMPARE(f.settle(u"B2"_s), u"P3,B2 54.50"_s);
    }

    void splitAndMergeThenCheckout()
    {
        Floor f;
        BillMerge merge(f.t.db, u"A1"_s);
        merge.add(0); // B1's group, B2 with it
        f.t.prompt.answer(Answer::Yes);
        QVERIFY(merge.merge());
        QCOMPARE(f.r.groupState(), (QStringList{u"A1:%1:y"_s.arg(f.a1), u"B1:%1:0"_s.arg(f.a1),
                                                u"B2:%1:0"_s.arg(f.a1), u"C1:%1:y"_s.arg(f.c1)}));
        // The merged group splits table by table, its former main table too; a main table stays.
        BillSplit split(f.t.db);
        QCOMPARE(split.groups().at(0).mainTable + split.groups().at(0).otherTables.join(QString()),
                 u"A1B1B2"_s);
        QVERIFY(!split.take(u"A1"_s));
        QVERIFY(split.take(u"B1"_s));
        QVERIFY(split.take(u"B2"_s));
        f.t.prompt.answer(Answer::Yes);
        QVERIFY(split.split());
        QCOMPARE(f.t.prompt.texts().value(1), u"不能对主餐桌进行此操作!"_s);
        QCOMPARE(f.r.groupState().mid(1, 2),
                 (QStringList{u"B1:%1:y"_s.arg(f.b1), u"B2:"_s + f.b1 + u"1:y"_s}));
        QCOMPARE(f.settle(u"A1"_s), u"A1 56.00"_s);
        QCOMPARE(f.settle(u"B2"_s), u"B2 16.00"_s);
        QCOMPARE(f.settle(u"B1"_s), u"B1 38.50"_s);
    }

    void nothingChanges_data()
    {
        QTest::addColumn<int>("command"); // 0 change table, 1 split, 2 merge
        QTest::addColumn<QString>("arg"); // the target table, the table taken, the number of groups added
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("messages");
        const QString refuse =
            u"create trigger refuse before update on %1 begin select raise(abort,'磁盘已满'); end"_s;
        // clang-format off
        QTest::newRow("no target chosen") << 0 << "" << "" << QStringList{};
        QTest::newRow("unknown target") << 0 << "Z9" << "" << QStringList{};
        QTest::newRow("occupied target") << 0 << "B1" << "" << QStringList{"此餐桌已被占用!"};
        QTest::newRow("target reserved now") << 0 << "P2" << "" << QStringList{"此餐桌已被预订!"};
        QTest::newRow("change fails at its last statement") << 0 << "P3" << refuse.arg("xfmx") << QStringList{"更换餐桌发生异常,更换失败!"};
        QTest::newRow("split, nothing taken") << 1 << "" << "" << QStringList{};
        QTest::newRow("split, answered No") << 1 << "B2" << "" << QStringList{"确定要拆分此单吗?"};
        QTest::newRow("split fails") << 1 << "B2" << refuse.arg("dj") << QStringList{"确定要拆分此单吗?", "拆分账单发生异常,拆分失败!"};
        QTest::newRow("merge, one group") << 2 << "" << "" << QStringList{"确定要合并此单吗?"};
        QTest::newRow("merge, answered No") << 2 << "1" << "" << QStringList{"确定要合并此单吗?"};
        QTest::newRow("merge fails at C1") << 2 << "2" << refuse.arg("dj when old.czm='C1'")
                                           << QStringList{"确定要合并此单吗?", "合并账单发生异常,合并失败!"};
        // clang-format on
    }

    void nothingChanges()
    {
        QFETCH(int, command);
        QFETCH(QString, arg);
        QFETCH(QString, refused);
        Floor f;
        if (!refused.isEmpty())
            f.t.exec(refused);
        f.t.prompt.answer(refused.isEmpty() && !arg.isEmpty() ? Answer::No : Answer::Yes);
        if (command == 0) {
            QVERIFY(!TableChange(f.t.db).move(u"A1"_s, arg));
        } else if (command == 1) {
            BillSplit split(f.t.db);
            split.take(arg);
            QVERIFY(!split.split()); // the dialog stays
        } else {
            BillMerge merge(f.t.db, u"A1"_s);
            for (int i = 0; i < arg.toInt(); ++i)
                merge.add(0);
            QCOMPARE(merge.merge(), refused.isEmpty()); // the dialog closes unless it failed
        }
        QTEST(f.t.prompt.texts(), "messages");
        QCOMPARE(f.state(), f.before);
    }

    // P2's booking lapses half an hour after its arrival: then P2 may take guests from another table.
    void lapsedBookingKeepsNoTable()
    {
        Floor f;
        TableChange change(f.t.db);
        QCOMPARE(change.offeredTables(u"Kate's"_s).join(u' '), u"P'1 P3"_s);
        Clock::setFixed(Restaurant::kNow.addSecs(1801));
        QCOMPARE(change.offeredTables(u"Kate's"_s).join(u' '), u"P'1 P2 P3"_s);
        QVERIFY(change.move(u"A1"_s, u"P2"_s));
    }

    // One path through each dialog, by keys and mouse.
    void dialogs()
    {
        Floor f;
        CTableChangeDlg change(f.t.db, u"A1"_s);
        f.show(change);
        QCOMPARE(change.windowTitle() + change.rooms()->currentText(), u"更换餐桌大厅"_s);
        QTest::keyClick(change.rooms(), Qt::Key_Down);
        QCOMPARE(change.targets()->itemText(0) + change.targets()->itemText(1),
                 u"P'1P3"_s); // P2 is reserved now
        QTest::keyClick(change.rooms(), Qt::Key_Tab);
        QTest::keyClick(change.targets(), Qt::Key_Down);
        QTest::keyClick(change.targets(), Qt::Key_Return);
        QCOMPARE(f.r.registration(u"P3"_s, u"rs"_s) + QString::number(change.result()), u"41"_s);

        CBillSplitDlg split(f.t.db);
        f.show(split);
        QCOMPARE(rows(split.groups(), 0) << split.windowTitle(),
                 (QStringList{"P3", "B1+", "C1", "拆分账单"}));
        QTest::keyClick(split.groups(), Qt::Key_Down);
        QTest::keyClick(split.groups(), Qt::Key_Down);
        QTest::keyClick(split.groups(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // the move button takes B2
        QCOMPARE(rows(split.splitList(), 0) + rows(split.groups(), 0), (QStringList{"B2", "P3", "B1", "C1"}));
        f.t.prompt.answer(Answer::Yes);
        QTest::mouseClick(buttonOf(&split, u"拆分"_s), Qt::LeftButton);
        QCOMPARE(f.r.registration(u"B2"_s, u"zdbj"_s) + QString::number(split.result()), u"y1"_s);

        CBillMergeDlg merge(f.t.db, u"C1"_s);
        f.show(merge);
        QCOMPARE(rows(merge.toMerge()) + rows(merge.inStore()) << merge.windowTitle(),
                 (QStringList{"C1", "P3", "B1", "B2", "合并账单"}));
        const QPoint b1 = merge.inStore()->visualItemRect(merge.inStore()->topLevelItem(1)).center();
        QTest::mouseClick(merge.inStore()->viewport(), Qt::LeftButton, {}, b1);
        QTest::mouseDClick(merge.inStore()->viewport(), Qt::LeftButton, {}, b1);
        merge.toMerge()->setCurrentItem(merge.toMerge()->topLevelItem(0));
        QTest::mouseClick(buttonOf(&merge, u"←"_s), Qt::LeftButton); // the bill passes to B1
        QCOMPARE(rows(merge.toMerge()) + QStringList{merge.mainTable()->text()}, (QStringList{"B1", "B1"}));
        merge.inStore()->setCurrentItem(merge.inStore()->topLevelItem(0));
        QTest::mouseClick(buttonOf(&merge, u"→"_s), Qt::LeftButton); // P3
        f.t.prompt.answer(Answer::Yes);
        QTest::mouseClick(buttonOf(&merge, u"合并"_s), Qt::LeftButton);
        QCOMPARE(f.r.registration(u"P3"_s, u"zdbh||zdbj"_s) + QString::number(merge.result()),
                 f.b1 + u"01"_s);
    }
};

PELVAR_TEST(TestBillGroups)
#include "tst_BillGroups.moc"
