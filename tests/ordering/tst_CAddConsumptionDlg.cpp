#include "CAddConsumptionDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "EntryFile.h"
#include "FakeSpooler.h"
#include "Gbk.h"
#include "PrintStatus.h"
#include "RawPrinter.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <functional>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Answer = Prompt::Answer;

namespace {

const QString kOperator = QStringLiteral("张三");
const QColor kRed(255, 0, 0);
const QColor kOrange(255, 153, 0);
const QColor kBlue(0, 0, 255);

// A restaurant with A1 (3 guests) and B2 (2 guests) occupied and C3 free, hot dishes printed in
// 厨房1 and drinks in 吧台, and the ordering screen on a table with the cashier's keyboard.
struct Ordering
{
    Ordering()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 5)));
        t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
        for (const char* table : {"A1", "B2", "C3"})
            t.exec(QStringLiteral("insert into cz(czm,zzws,fjm) values('%1',4,'大厅')")
                       .arg(QLatin1String(table)));
        t.exec(QStringLiteral("insert into lb(lbm,dyjmc,dybt,dyfs) values('热菜','厨房1','热菜厨房','1')"));
        t.exec(QStringLiteral("insert into lb(lbm,dyjmc,dybt,dyfs) values('饮料','吧台','酒水','1')"));
        t.exec(
            QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(101,'宫保鸡丁','GBJD',20,'热菜')"));
        t.exec(
            QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(102,'红烧鲤鱼','HSLY',30,'热菜')"));
        t.exec(QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,lbm) values(201,'可乐','KL',15,'饮料')"));
        t.exec(QStringLiteral(
            "insert into xm(xmbh,xmm,xmpy,dj,lbm,nfxs) values(202,'鸡尾酒','JWJ',25,'饮料','0')"));
        open(QStringLiteral("A1"), 3);
        open(QStringLiteral("B2"), 2);
        spooler.printers[QStringLiteral("厨房1")];
        spooler.printers[QStringLiteral("吧台")];
    }
    ~Ordering() { Clock::clearFixed(); }

    void open(const QString& table, int guests)
    {
        t.exec(QStringLiteral("update cz set zyzt='占用',yzrs='%2' where czm='%1'").arg(table).arg(guests));
        t.exec(QStringLiteral("insert into dj(djbh,czm,fjm,rs,xfzt,zdbh,zdbj) "
                              "values('D%1','%1','大厅',%2,'占用','D%1','y')")
                   .arg(table)
                   .arg(guests));
    }

    // A line stored before the screen opens.
    void line(const QString& table, const QString& dish, double quantity, double price, double ratio = 1)
    {
        t.exec(QStringLiteral(
                   "insert into xfmx(czm,xfxm,sl,xmdj,dzbl,ysje,jzr) values('%1','%2',%3,%4,%5,%6,'李四')")
                   .arg(table, dish)
                   .arg(quantity)
                   .arg(price)
                   .arg(ratio)
                   .arg(quantity * price * ratio));
    }

    CAddConsumptionDlg& show(const QString& table = QStringLiteral("A1"))
    {
        dialog =
            std::make_unique<CAddConsumptionDlg>(t.db, kOperator, t.folder(), table, printer, defaultPrinter);
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("the ordering screen did not become active");
        return *dialog;
    }

    // Back to the ordering screen after a dialog of its own closed.
    void activate()
    {
        if (QApplication::activeWindow() == dialog.get())
            return;
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <class T> T* child(const char* name) { return dialog->findChild<T*>(QLatin1String(name)); }
    CPrintListReportCtrl* lines() { return child<CPrintListReportCtrl>("lines"); }
    CPrintListReportCtrl* dishes() { return child<CPrintListReportCtrl>("dishes"); }
    QString label(const char* name) { return child<QLabel>(name)->text(); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }

    // Keys as the cashier types them: to whatever has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        activate();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    void selectLines(const QList<int>& rows)
    {
        activate();
        lines()->clearSelection();
        for (int row : rows)
            lines()->selectionModel()->select(lines()->model()->index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        lines()->setFocus();
    }
    QString cell(int row, int column) { return lines()->cellText(row, column); }
    QColor colour(int row)
    {
        return lines()->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>();
    }
    QString dishNames()
    {
        QStringList names;
        for (int row = 0; row < dishes()->rowCount(); ++row)
            names << dishes()->cellText(row, 1);
        return names.join(QLatin1Char(','));
    }
    QString visitTotal(const QString& table)
    {
        return t.scalar(
            QStringLiteral("select printf('%.2f',xfhj) from dj where czm='%1' and xfzt='占用'").arg(table));
    }
    QString tableTotal(const QString& table)
    {
        return t.scalar(QStringLiteral("select printf('%.2f',xfhj) from cz where czm='%1'").arg(table));
    }

    TestDatabase t;
    FakeSpooler spooler;
    RawPrinter printer{spooler, t.prompt};
    DefaultPrinter defaultPrinter;
    std::unique_ptr<CAddConsumptionDlg> dialog;
};

// Acts on the modal dialog that opens next, and closes it if the action left it open.
template <class Dialog> void whenOpened(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTest::qFail("the expected dialog did not open", __FILE__, __LINE__);
            return;
        }
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

QPushButton* buttonOf(QDialog& dialog, const QString& text)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestCAddConsumptionDlg : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheTable();
    void search_data();
    void search();
    void navigationKeysMoveTheDish();
    void categoryBox();
    void enterAddsTheQuantityTyped_data();
    void enterAddsTheQuantityTyped();
    void refusedQuantityKeepsTheFocus();
    void checkoutKeys_data();
    void checkoutKeys();
    void tableBoxSwitchesTables();
    void deleteOfANewLine();
    void returnThroughItsDialog();
    void giftAndCancel();
    void transferThroughItsDialog();
    void noteThroughItsDialog();
    void buttonsFollowTheSelectedLine();
    void lineMenu();
    void copyThenPasteOnAnotherTable();
    void foreignClipboardTextIsIgnored();
    void kitchenTicketsMarkTheLinesSent();
};

void TestCAddConsumptionDlg::opensOnTheTable()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 2, 20);
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), -1, 15);
    CAddConsumptionDlg& d = o.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("增加消费"));
    QCOMPARE(o.dishNames(), QStringLiteral("宫保鸡丁,红烧鲤鱼,可乐,鸡尾酒"));
    QCOMPARE(o.label("currentDish"), QStringLiteral("宫保鸡丁"));
    QCOMPARE(o.child<QGroupBox>("linesFrame")->title(), QStringLiteral("“A1”餐桌消费清单"));
    QCOMPARE(o.child<QComboBox>("tables")->currentText(), QStringLiteral("A1"));
    QCOMPARE(o.label("guests"), QStringLiteral("3"));
    QCOMPARE(o.child<QComboBox>("category")->currentText(), QStringLiteral("显示全部"));
    QCOMPARE(o.child<QComboBox>("category")->count(), 3);
    QCOMPARE(o.label("amount"), QStringLiteral("25.00"));
    QCOMPARE(o.label("count"), QStringLiteral("1.00"));
    QCOMPARE(o.cell(1, 1), QStringLiteral("可乐(退)"));
    QCOMPARE(o.colour(1), kRed);
    QCOMPARE(o.lines()->selectedRows(), QList<int>{0});
    QCOMPARE(QApplication::focusWidget(), o.child<QLineEdit>("search"));
    QCOMPARE(o.label("help"), CAddConsumptionDlg::kHelp);
    QCOMPARE(o.child<QLabel>("help")->palette().color(QPalette::WindowText), kBlue);
    QCOMPARE(o.child<QLabel>("currentDish")->palette().color(QPalette::WindowText), kRed);
    QCOMPARE(o.child<QLineEdit>("quantity")->palette().color(QPalette::Text), QColor(Qt::magenta));
    // Opening wrote the listed total as the visit's.
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("25.00"));
}

void TestCAddConsumptionDlg::search_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("current");
    QTest::newRow("initials") << "gbjd"
                              << "宫保鸡丁"
                              << "宫保鸡丁";
    QTest::newRow("part of the initials") << "sl"
                                          << "红烧鲤鱼"
                                          << "红烧鲤鱼";
    QTest::newRow("number") << "20"
                            << "可乐"
                            << "可乐"; // 202 is not for sale
    QTest::newRow("part of numbers") << "10"
                                     << "宫保鸡丁,红烧鲤鱼"
                                     << "宫保鸡丁";
    QTest::newRow("nothing found") << "zzz"
                                   << ""
                                   << "";
}

void TestCAddConsumptionDlg::search()
{
    QFETCH(QString, typed);
    QFETCH(QString, listed);
    QFETCH(QString, current);
    Ordering o;
    o.show();
    o.type(typed);
    QCOMPARE(o.dishNames(), listed);
    QCOMPARE(o.label("currentDish"), current);
}

void TestCAddConsumptionDlg::navigationKeysMoveTheDish()
{
    Ordering o;
    for (int i = 1; i <= 25; ++i)
        o.t.exec(QStringLiteral("insert into xm(xmbh,xmm,dj,lbm) values(%1,'菜%1',1,'热菜')").arg(300 + i));
    o.show();
    const auto current = [&o] { return o.label("currentDish"); };
    o.press(Qt::Key_Down);
    QCOMPARE(current(), QStringLiteral("红烧鲤鱼"));
    o.press(Qt::Key_PageDown);
    QCOMPARE(current(), QStringLiteral("菜318"));
    o.press(Qt::Key_PageDown); // no row 20 further down
    QCOMPARE(current(), QStringLiteral("菜318"));
    o.press(Qt::Key_PageUp);
    QCOMPARE(current(), QStringLiteral("红烧鲤鱼"));
    o.press(Qt::Key_Up);
    o.press(Qt::Key_Up);
    QCOMPARE(current(), QStringLiteral("宫保鸡丁"));
    // In the dish list itself a key moves one row, not two.
    o.dishes()->setFocus();
    o.press(Qt::Key_Down);
    QCOMPARE(current(), QStringLiteral("红烧鲤鱼"));
    // In the consumption list the keys are the list's own.
    o.lines()->setFocus();
    o.press(Qt::Key_Down);
    QCOMPARE(current(), QStringLiteral("红烧鲤鱼"));
}

void TestCAddConsumptionDlg::categoryBox()
{
    Ordering o;
    o.show();
    auto* category = o.child<QComboBox>("category");
    category->setCurrentText(QStringLiteral("饮料"));
    QCOMPARE(o.dishNames(), QStringLiteral("可乐,鸡尾酒"));
    QCOMPARE(o.label("currentDish"), QStringLiteral("可乐"));
    category->setCurrentText(QStringLiteral("显示全部"));
    QCOMPARE(o.dishes()->rowCount(), 4);
}

void TestCAddConsumptionDlg::enterAddsTheQuantityTyped_data()
{
    QTest::addColumn<int>("plus");
    QTest::addColumn<int>("plusModifiers");
    QTest::addColumn<int>("add");
    QTest::newRow("keypad plus, Enter")
        << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << int(Qt::Key_Return);
    QTest::newRow("= key, keypad Enter") << int(Qt::Key_Equal) << int(Qt::NoModifier) << int(Qt::Key_Enter);
    QTest::newRow("shifted + key, F8") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << int(Qt::Key_F8);
}

void TestCAddConsumptionDlg::enterAddsTheQuantityTyped()
{
    QFETCH(int, plus);
    QFETCH(int, plusModifiers);
    QFETCH(int, add);
    Ordering o;
    CAddConsumptionDlg& d = o.show();
    auto* quantity = o.child<QLineEdit>("quantity");
    auto* search = o.child<QLineEdit>("search");
    o.type(QStringLiteral("gbjd"));
    o.press(plus, Qt::KeyboardModifiers(plusModifiers));
    QCOMPARE(QApplication::focusWidget(), quantity);
    QCOMPARE(quantity->selectedText(), QStringLiteral("1"));
    o.type(QStringLiteral("1.5"));
    o.press(add);

    QCOMPARE(o.lines()->rowCount(), 1);
    QCOMPARE(o.cell(0, 1), QStringLiteral("宫保鸡丁"));
    QCOMPARE(o.cell(0, 2), QStringLiteral("1.50"));
    QCOMPARE(o.cell(0, 5), QStringLiteral("30.00"));
    QCOMPARE(o.cell(0, 7), kOperator);
    QCOMPARE(o.cell(0, 8), QStringLiteral("2026-12-06 12:30:05"));
    QCOMPARE(o.cell(0, 10), QStringLiteral("未打印"));
    QCOMPARE(o.colour(0), kBlue);
    QCOMPARE(o.label("amount"), QStringLiteral("30.00"));
    QCOMPARE(o.label("count"), QStringLiteral("1.50"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("30.00"));
    QCOMPARE(o.tableTotal(QStringLiteral("A1")), QStringLiteral("30.00"));
    QCOMPARE(quantity->text(), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), search);
    QCOMPARE(search->selectedText(), QStringLiteral("gbjd"));
    QVERIFY(d.changed());
    QVERIFY(d.isVisible());

    // The next dish goes on at once with the quantity 1.
    o.type(QStringLiteral("kl"));
    o.press(Qt::Key_Return);
    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.cell(1, 1), QStringLiteral("可乐"));
    QCOMPARE(o.label("amount"), QStringLiteral("45.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("45.00"));
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx where czm='A1'")), QStringLiteral("2"));
}

void TestCAddConsumptionDlg::refusedQuantityKeepsTheFocus()
{
    Ordering o;
    o.show();
    auto* quantity = o.child<QLineEdit>("quantity");
    quantity->setText(QStringLiteral("abc"));
    o.press(Qt::Key_Return);
    QCOMPARE(o.t.prompt.last(), QStringLiteral("请指定消费数量!"));
    QCOMPARE(QApplication::focusWidget(), quantity);
    QCOMPARE(quantity->selectedText(), QStringLiteral("abc"));

    // No dish found: the search box gets the focus back.
    quantity->setText(QStringLiteral("2"));
    o.child<QLineEdit>("search")->setFocus();
    o.type(QStringLiteral("zzz"));
    o.press(Qt::Key_F8);
    QCOMPARE(o.t.prompt.last(), QStringLiteral("请选定消费项目!"));
    QCOMPARE(QApplication::focusWidget(), o.child<QLineEdit>("search"));
    QCOMPARE(o.lines()->rowCount(), 0);
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx")), QStringLiteral("0"));
}

void TestCAddConsumptionDlg::checkoutKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("minus") << int(Qt::Key_Minus) << int(Qt::NoModifier);
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier);
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
}

void TestCAddConsumptionDlg::checkoutKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Ordering o;
    CAddConsumptionDlg& d = o.show();
    o.type(QStringLiteral("k"));
    o.press(key, Qt::KeyboardModifiers(modifiers));
    QVERIFY(d.checkoutRequested());
    QVERIFY(!d.changed());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.isVisible());
    // The key did not reach the search box.
    QCOMPARE(o.child<QLineEdit>("search")->text(), QStringLiteral("k"));
}

void TestCAddConsumptionDlg::tableBoxSwitchesTables()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    o.line(QStringLiteral("B2"), QStringLiteral("可乐"), 2, 15);
    o.line(QStringLiteral("B2"), QStringLiteral("红烧鲤鱼"), 1, 30);
    CAddConsumptionDlg& d = o.show();
    auto* tables = o.child<QComboBox>("tables");
    QCOMPARE(tables->count(), 2); // the occupied tables
    tables->setFocus();
    o.press(Qt::Key_Down);
    QCOMPARE(d.table(), QStringLiteral("B2"));
    QCOMPARE(o.child<QGroupBox>("linesFrame")->title(), QStringLiteral("“B2”餐桌消费清单"));
    QCOMPARE(o.label("guests"), QStringLiteral("2"));
    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.cell(1, 1), QStringLiteral("红烧鲤鱼"));
    QCOMPARE(o.label("amount"), QStringLiteral("60.00"));
    QCOMPARE(o.label("count"), QStringLiteral("3.00"));

    // A line added now belongs to B2; A1 keeps its own.
    o.child<QLineEdit>("search")->setFocus();
    o.type(QStringLiteral("gbjd"));
    o.press(Qt::Key_Return);
    QCOMPARE(o.t.scalar(QStringLiteral("select czm from xfmx where xfbh=4")), QStringLiteral("B2"));
    QCOMPARE(o.visitTotal(QStringLiteral("B2")), QStringLiteral("80.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("20.00"));
    // The stored lines of B2 stay stored: the new one alone is blue.
    QCOMPARE(o.colour(1), QColor());
    QCOMPARE(o.colour(2), kBlue);
}

void TestCAddConsumptionDlg::deleteOfANewLine()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 1, 15);
    CAddConsumptionDlg& d = o.show();
    o.type(QStringLiteral("gbjd"));
    o.press(Qt::Key_Return);
    o.type(QStringLiteral("hsly"));
    o.press(Qt::Key_Return);
    QCOMPARE(o.lines()->selectedRows(), QList<int>{2});

    o.press(Qt::Key_Delete); // answered No
    QCOMPARE(o.t.prompt.last(), QStringLiteral("真的要删除选定项目吗？"));
    QCOMPARE(o.lines()->rowCount(), 3);
    QCOMPARE(o.child<QLineEdit>("search")->text(), QStringLiteral("hsly"));

    o.selectLines({1});
    o.t.prompt.answer(Answer::Yes);
    o.press(Qt::Key_Delete);
    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.cell(1, 1), QStringLiteral("红烧鲤鱼"));
    QCOMPARE(o.colour(1), kBlue);
    QCOMPARE(o.lines()->selectedRows(), QList<int>{0});
    QCOMPARE(o.label("amount"), QStringLiteral("45.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("45.00"));
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx where xfxm='宫保鸡丁'")),
             QStringLiteral("0"));
    QVERIFY(d.changed());
}

void TestCAddConsumptionDlg::returnThroughItsDialog()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("红烧鲤鱼"), 3, 10);
    EntryFile(o.t.folder(), QStringLiteral("退单原因.txt")).remember(QStringLiteral("菜凉了"));
    CAddConsumptionDlg& d = o.show();
    QCOMPARE(o.button("return")->text(), QStringLiteral("退单(&T)"));

    QStringList seen;
    whenOpened<QDialog>([&](QDialog& dialog) {
        seen << dialog.windowTitle();
        auto* quantity = dialog.findChild<QLineEdit*>(QStringLiteral("quantity"));
        auto* reason = dialog.findChild<QComboBox*>(QStringLiteral("reason"));
        seen << quantity->text() << QString::number(reason->count()) << reason->itemText(0);
        quantity->setText(QStringLiteral("0"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
        seen << o.t.prompt.last();
        quantity->setText(QStringLiteral("1"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
        seen << o.t.prompt.last()
             << QString::number(dialog.focusWidget() == reason->lineEdit() || dialog.focusWidget() == reason);
        reason->setEditText(QStringLiteral("上错菜"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
        seen << QString::number(dialog.isVisible());
    });
    o.press(Qt::Key_Delete);
    QCOMPARE(seen, (QStringList{"指定退单数量", "3.00", "1", "菜凉了", "请指定数量!", "退菜原因不能为空!",
                                "1", "0"}));

    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.cell(1, 1), QStringLiteral("红烧鲤鱼(退)"));
    QCOMPARE(o.cell(1, 2), QStringLiteral("-1.00"));
    QCOMPARE(o.cell(1, 5), QStringLiteral("-10.00"));
    QCOMPARE(o.cell(1, 9), QStringLiteral("上错菜"));
    QCOMPARE(o.colour(1), kRed);
    QCOMPARE(o.label("amount"), QStringLiteral("20.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("20.00"));
    QCOMPARE(EntryFile(o.t.folder(), QStringLiteral("退单原因.txt")).entries(),
             (QStringList{"菜凉了", "上错菜"}));
    QVERIFY(d.changed());

    // The return line itself can't be given, and Delete refuses it.
    o.selectLines({1});
    QCOMPARE(o.button("return")->text(), QStringLiteral("删除(&T)"));
    QVERIFY(!o.button("gift")->isEnabled());
    o.press(Qt::Key_Delete);
    QCOMPARE(o.t.prompt.last(), QStringLiteral("退单项目不能删除!"));
    QCOMPARE(o.lines()->rowCount(), 2);

    // Cancelling the dialog books nothing.
    o.selectLines({0});
    whenOpened<QDialog>([](QDialog& dialog) { dialog.reject(); });
    o.button("return")->click();
    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx")), QStringLiteral("2"));
}

void TestCAddConsumptionDlg::giftAndCancel()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    CAddConsumptionDlg& d = o.show();
    o.selectLines({1});
    QPushButton* gift = o.button("gift");
    QCOMPARE(gift->text(), QStringLiteral("赠送(&S)"));

    gift->click(); // answered No
    QCOMPARE(o.t.prompt.last(), QStringLiteral("真的要赠送'可乐'吗？"));
    QCOMPARE(o.cell(1, 4), QStringLiteral("1"));
    QVERIFY(!d.changed());

    o.t.prompt.answer(Answer::Yes);
    gift->click();
    QCOMPARE(o.cell(1, 1), QStringLiteral("可乐(赠)"));
    QCOMPARE(o.cell(1, 4), QStringLiteral("0"));
    QCOMPARE(o.cell(1, 5), QStringLiteral("0"));
    QCOMPARE(o.colour(1), kOrange);
    QCOMPARE(gift->text(), QStringLiteral("不赠(&S)"));
    QVERIFY(!o.button("return")->isEnabled());
    QVERIFY(!o.button("transfer")->isEnabled());
    QCOMPARE(o.label("amount"), QStringLiteral("20.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("20.00"));
    QCOMPARE(o.lines()->selectedRows(), QList<int>{1});
    QVERIFY(d.changed());

    o.t.prompt.answer(Answer::Yes);
    gift->click();
    QCOMPARE(o.t.prompt.last(), QStringLiteral("真的要取消'可乐'的赠送吗？"));
    QCOMPARE(o.cell(1, 1), QStringLiteral("可乐"));
    QCOMPARE(o.cell(1, 4), QStringLiteral("1.00"));
    QCOMPARE(o.cell(1, 5), QStringLiteral("30.00"));
    QCOMPARE(o.colour(1), QColor());
    QCOMPARE(gift->text(), QStringLiteral("赠送(&S)"));
    QCOMPARE(o.label("amount"), QStringLiteral("50.00"));
    QCOMPARE(o.tableTotal(QStringLiteral("A1")), QStringLiteral("50.00"));
}

void TestCAddConsumptionDlg::transferThroughItsDialog()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 2, 15);
    o.show();
    o.selectLines({0});

    QStringList seen;
    whenOpened<QDialog>([&](QDialog& dialog) {
        seen << dialog.windowTitle();
        auto* target = dialog.findChild<QComboBox*>(QStringLiteral("target"));
        seen << QString::number(target->count()) << target->itemText(0);
        target->setEditText(QStringLiteral("C3"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
        seen << o.t.prompt.last() << target->currentText();
        target->setEditText(QStringLiteral("B2"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
    });
    o.button("transfer")->click();
    QCOMPARE(seen, (QStringList{"消费转单", "1", "B2", "请指定为占用的餐桌!", ""}));

    QCOMPARE(o.lines()->rowCount(), 1);
    QCOMPARE(o.cell(0, 1), QStringLiteral("可乐"));
    // The line that moved up is still a stored line.
    QCOMPARE(o.colour(0), QColor());
    QCOMPARE(o.button("return")->text(), QStringLiteral("退单(&T)"));
    QCOMPARE(o.label("amount"), QStringLiteral("30.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("30.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("B2")), QStringLiteral("20.00"));
    QCOMPARE(o.t.scalar(QStringLiteral("select czm from xfmx where xfxm='宫保鸡丁'")), QStringLiteral("B2"));
}

void TestCAddConsumptionDlg::noteThroughItsDialog()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    EntryFile(o.t.folder(), QStringLiteral("口味.txt")).remember(QStringLiteral("少辣"));
    o.show();
    o.selectLines({0});

    QString shown;
    whenOpened<QDialog>([&](QDialog& dialog) {
        auto* taste = dialog.findChild<QComboBox*>(QStringLiteral("taste"));
        shown = taste->itemText(0);
        taste->setEditText(QStringLiteral("不要香菜"));
        buttonOf(dialog, QStringLiteral("确定"))->click();
    });
    o.button("taste")->click();
    QCOMPARE(shown, QStringLiteral("少辣"));
    QCOMPARE(o.cell(0, 9), QStringLiteral("不要香菜"));
    QCOMPARE(o.t.scalar(QStringLiteral("select bz from xfmx")), QStringLiteral("不要香菜"));
    QCOMPARE(EntryFile(o.t.folder(), QStringLiteral("口味.txt")).entries(),
             (QStringList{"少辣", "不要香菜"}));

    // A double click on a row opens the note with the line's own note in the box.
    whenOpened<QDialog>([&](QDialog& dialog) {
        shown = dialog.findChild<QComboBox*>(QStringLiteral("taste"))->currentText();
    });
    const QRect row = o.lines()->visualRect(o.lines()->model()->index(0, 1));
    QTest::mouseClick(o.lines()->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(o.lines()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(shown, QStringLiteral("不要香菜"));
}

void TestCAddConsumptionDlg::buttonsFollowTheSelectedLine()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    o.show();
    o.type(QStringLiteral("kl"));
    o.press(Qt::Key_Return);
    QCOMPARE(o.button("return")->text(), QStringLiteral("删除(&T)"));
    QVERIFY(!o.button("transfer")->isEnabled());
    o.selectLines({0});
    QCOMPARE(o.button("return")->text(), QStringLiteral("退单(&T)"));
    QVERIFY(o.button("transfer")->isEnabled());

    // 全选 selects every row and clears them again.
    auto* all = o.child<QCheckBox>("selectAll");
    all->click();
    QCOMPARE(o.lines()->selectedRows(), (QList<int>{0, 1}));
    all->click();
    QVERIFY(o.lines()->selectedRows().isEmpty());
}

void TestCAddConsumptionDlg::lineMenu()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 1, 15, 0);
    o.show();
    // The buttons fit the line selected on opening.
    QCOMPARE(o.button("gift")->text(), QStringLiteral("不赠(&S)"));
    QVERIFY(!o.button("return")->isEnabled());
    o.type(QStringLiteral("gbjd"));
    o.press(Qt::Key_Return);

    const auto menuTexts = [&o](int row) {
        o.selectLines({row});
        QStringList texts;
        QTimer::singleShot(0, [&texts] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    texts << action->text();
            menu->close();
        });
        const QRect rect = o.lines()->visualRect(o.lines()->model()->index(row, 1));
        emit o.lines()->customContextMenuRequested(rect.center());
        return texts;
    };
    QCOMPARE(menuTexts(0), (QStringList{"退单", "不赠", "转单", "厨打", "备注", "复制", "粘贴"}));
    QCOMPARE(menuTexts(1), (QStringList{"删除", "赠送", "转单", "厨打", "备注", "复制", "粘贴"}));
}

void TestCAddConsumptionDlg::copyThenPasteOnAnotherTable()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 2, 20);
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 1, 15, 0);
    o.line(QStringLiteral("A1"), QStringLiteral("红烧鲤鱼"), 1, 30);
    CAddConsumptionDlg& d = o.show();
    o.selectLines({0, 1});
    o.press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("Orvo2.4\n宫保鸡丁,2,20,1\r\n可乐,1,15,0\r\n"));

    o.child<QComboBox>("tables")->setCurrentText(QStringLiteral("B2"));
    QCOMPARE(o.lines()->rowCount(), 0);
    o.lines()->setFocus();
    o.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(o.lines()->rowCount(), 2);
    QCOMPARE(o.cell(0, 1), QStringLiteral("宫保鸡丁"));
    QCOMPARE(o.cell(1, 1), QStringLiteral("可乐(赠)"));
    QCOMPARE(o.colour(1), kOrange);
    QCOMPARE(o.label("amount"), QStringLiteral("40.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("B2")), QStringLiteral("40.00"));
    QCOMPARE(o.visitTotal(QStringLiteral("A1")), QStringLiteral("70.00"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(d.changed());

    // Ctrl+A in the list selects every row.
    o.press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(o.lines()->selectedRows(), (QList<int>{0, 1}));
}

void TestCAddConsumptionDlg::foreignClipboardTextIsIgnored()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 1, 20);
    CAddConsumptionDlg& d = o.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("宫保鸡丁,1,20,1\r\n"));
    o.lines()->setFocus();
    o.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(o.lines()->rowCount(), 1);
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx")), QStringLiteral("1"));
    QVERIFY(!d.changed());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Ctrl+V outside the list is the focused box's own paste.
    o.child<QLineEdit>("search")->setFocus();
    o.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(o.t.scalar(QStringLiteral("select count(*) from xfmx")), QStringLiteral("1"));
}

void TestCAddConsumptionDlg::kitchenTicketsMarkTheLinesSent()
{
    Ordering o;
    o.line(QStringLiteral("A1"), QStringLiteral("宫保鸡丁"), 2, 20);
    o.line(QStringLiteral("A1"), QStringLiteral("可乐"), 1, 15);
    o.line(QStringLiteral("A1"), QStringLiteral("红烧鲤鱼"), 1, 30);
    o.spooler.printers[QStringLiteral("吧台")].status = PrinterStatus::Paused;
    o.show();

    o.selectLines({0, 1});
    o.button("print")->click();
    QCOMPARE(o.spooler.documents.size(), 1);
    QCOMPARE(o.spooler.documents.at(0).printer, QStringLiteral("厨房1"));
    QCOMPARE(o.spooler.documents.at(0).name, QStringLiteral("厨打-餐桌：A1"));
    const QString first = Gbk::decode(o.spooler.documents.at(0).bytes);
    QVERIFY2(first.startsWith(QStringLiteral("热菜厨房\n项目名:宫保鸡丁[下单]  \n餐桌名:A1  数量:2     \n")),
             qPrintable(first));
    QVERIFY(!first.contains(QStringLiteral("可乐")));
    QCOMPARE(o.cell(0, 10), QStringLiteral("已打印"));
    QCOMPARE(o.cell(1, 10), QStringLiteral("未打印")); // 吧台 refused it
    QCOMPARE(o.cell(2, 10), QStringLiteral("未打印")); // not selected
    QCOMPARE(o.t.scalar(QStringLiteral("select group_concat(sfdy,'') from xfmx")), QStringLiteral("100"));
    QVERIFY(o.t.prompt.texts().join(QLatin1Char('\n')).contains(QStringLiteral("吧台")));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Sent again, the first line goes as a reminder.
    o.selectLines({0});
    o.button("print")->click();
    QCOMPARE(o.spooler.documents.size(), 2);
    QVERIFY(Gbk::decode(o.spooler.documents.at(1).bytes).contains(QStringLiteral("项目名:宫保鸡丁[催单]")));
}

PELVAR_TEST(TestCAddConsumptionDlg)
#include "tst_CAddConsumptionDlg.moc"
