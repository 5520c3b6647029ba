#include "CAddConsumptionDlg.h"
#include "Clock.h"
#include "ConsumptionList.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "EntryFile.h"
#include "FakeSpooler.h"
#include "ModalDialogs.h"
#include "RawPrinter.h"
#include "Restaurant.h"
#include "Sql.h"
#include "TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using ReturnEntry = ConsumptionList::ReturnEntry;

namespace {

const ConsumptionList::Dish kPork{u"红烧肉"_s, u"38.50"_s, u"热菜"_s};
const ConsumptionList::Dish kCola{u"可乐"_s, u"5.00"_s, u"酒水"_s};

ConsumptionList::ReturnAsker returning(const QString& quantity, const QString& reason,
                                       ReturnEntry* seen = nullptr)
{
    return [=](ReturnEntry& entry) {
        if (seen)
            *seen = entry;
        entry.quantity = quantity;
        entry.reason = reason;
        return true;
    };
}

// The menu of Restaurant::withMenu, A1 and B1 occupied, and the ordering screen's list.
struct Ordering
{
    Ordering() : r(Restaurant::withMenu(t))
    {
        Clock::setFixed(Restaurant::kNow);
        r.seat(u"A1"_s);
        r.seat(u"B1"_s);
    }
    ~Ordering() { Clock::clearFixed(); }

    ConsumptionList& show(const QString& table = u"A1"_s)
    {
        list.setTable(table);
        list.LoadConsumptionList();
        return list;
    }
    QString add(const ConsumptionList::Dish& dish, const QString& quantity = u"1"_s)
    {
        QString text = quantity;
        return list.AddLine(text, dish) == ConsumptionList::AddResult::Added ? text : u"refused"_s;
    }
    // One command on a row: "add" (可乐), "return" (1 with a reason, or as `arg` says: "2,凉了"),
    // "gift", "transfer" (to `arg`), "note".
    bool act(const QString& command, int row, const QString& arg = u"B1"_s)
    {
        const QStringList entry = arg.contains(u',') ? arg.split(u',') : QStringList{u"1"_s, u"凉了"_s};
        if (command == u"add"_s)
            return add(kCola) != u"refused"_s;
        if (command == u"return"_s)
            return list.ReturnOrDeleteLine(row, returning(entry.at(0), entry.at(1)));
        if (command == u"gift"_s)
            return list.ToggleGift(row);
        if (command == u"note"_s)
            return list.SetNote(row, u"少辣"_s);
        return list.TransferLine(row, [&arg](auto& entry) {
            entry.target = arg;
            return true;
        });
    }
    // The visit's and the table's running totals.
    QString totals(const QString& table = u"A1"_s)
    {
        const QString where = u" where czm="_s + Sql::quote(table);
        return t.scalar(u"select printf('%.2f/', xfhj) from dj"_s + where + u" and xfzt='占用'"_s) +
               t.scalar(u"select printf('%.2f', xfhj) from cz"_s + where);
    }
    // Every line as stored and the totals, to show that a refused command changed nothing.
    QString state()
    {
        return t.scalar(u"select group_concat(xfbh||czm||sl||dzbl||tdsl||tdbj||bz) from xfmx"_s) + totals();
    }
    // A listed line's columns after its number.
    QString row(int index)
    {
        QStringList cells;
        for (int column = 1; column < ConsumptionLine::ColumnCount; ++column)
            cells << list.lines().at(index).text(column);
        return cells.join(u'|');
    }
    QString field(int index, const QString& columns)
    {
        return t.scalar(
            u"select %1 from xfmx where xfbh=%2"_s.arg(columns).arg(list.lines().at(index).number));
    }

    TestDatabase t;
    Restaurant r;
    // 张三 discounts down to 0.90.
    ConsumptionList list{t.db, u"张三"_s, u"0.90"_s, t.folder()};
};

// The ordering screen on A1, with 鱼香肉丝 and a gift of 可乐 ordered; every category prints in 厨房1.
struct Screen : Ordering
{
    Screen()
    {
        r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
        r.order(u"A1"_s, u"可乐"_s, 2, 0);
        t.exec(u"update lb set dyjmc='厨房1', dybt='厨房', dyfs='1'"_s);
        spooler.printers[u"厨房1"_s];
        dialog.emplace(t.db, u"张三"_s, u"0.90"_s, t.folder(), u"A1"_s, printer, defaultPrinter);
        lines = child<CPrintListReportCtrl>("lines");
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*dialog));
    }

    // Keys as the cashier types them: to whatever has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    template <class T> T* child(const char* name) { return dialog->findChild<T*>(QLatin1String(name)); }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    // A listed row's name, quantity, price, ratio and amount, and its colour.
    QString shown(int index)
    {
        QStringList cells;
        for (int column = 1; column < 6; ++column)
            cells << lines->cellText(index, column);
        return cells.join(u'|') + u' ' +
               lines->model()->index(index, 0).data(Qt::ForegroundRole).value<QColor>().name();
    }
    void select(int row)
    {
        lines->selectionModel()->select(lines->model()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        lines->setFocus();
    }

    FakeSpooler spooler;
    RawPrinter printer{spooler, t.prompt};
    DefaultPrinter defaultPrinter;
    std::optional<CAddConsumptionDlg> dialog;
    CPrintListReportCtrl* lines = nullptr;
};

} // namespace

class TestConsumptionList : public QObject
{
    Q_OBJECT
private slots:
    void loadsTheOpenLinesOnly()
    {
        Ordering o;
        const qint64 fish = o.r.order(u"A1"_s, u"鱼香肉丝"_s, 2);
        o.t.exec(
            u"update xfmx set sfdy='1', bz='少辣', xfsj='2026-12-06T09:05:03' where xfbh=%1"_s.arg(fish));
        o.t.exec(
            u"update xfmx set xfsj='2026-12-06' where xfbh=%1"_s.arg(o.r.order(u"A1"_s, u"可乐"_s, 3, 0)));
        o.t.exec(u"update xfmx set jzbj='1' where xfbh=%1"_s.arg(o.r.order(u"A1"_s, u"啤酒"_s, 1)));
        o.r.order(u"B1"_s, u"红烧肉"_s, 1);
        o.r.line(u"A1"_s, u"撤下的菜"_s, 1, 99); // no dish of that name
        ConsumptionList& list = o.show();
        QCOMPARE(list.title() + QString::number(list.loadedLines()), u"“A1”餐桌消费清单2"_s);
        // Money, quantities and ratios with two decimals, times as every screen shows them.
        QCOMPARE(o.row(0), u"鱼香肉丝|2.00|28.00|1.00|56.00|热菜|张三|2026-12-06 09:05:03|少辣|已打印"_s);
        QCOMPARE(o.row(1), u"可乐(赠)|3.00|5.00|0.00|0.00|酒水|张三|2026-12-06 00:00:00||未打印"_s);
        QCOMPARE(list.quantityTotal() + u' ' + list.amountTotal(), u"5.00 56.00"_s);
        QVERIFY(list.RecalcTotals());
        // A list that could not be read writes no totals, and takes no lines.
        o.t.exec(u"alter table xm rename to xm_gone"_s);
        QVERIFY(!list.LoadConsumptionList());
        QVERIFY(!list.RecalcTotals());
        QCOMPARE(o.add(kCola), u"refused"_s);
        QVERIFY(o.t.prompt.texts().value(0).startsWith(u"ADO Error: "_s));
        QCOMPARE(o.t.prompt.texts().value(1), u"增加消费发生异常,增加失败!"_s);
        QCOMPARE(o.totals() + o.t.scalar(u"select count(*) from xfmx"_s), u"56.00/56.005"_s);
    }

    void addLine_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<bool>("dish");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("after");  // the quantity box
        QTest::addColumn<QString>("stored"); // sl|xmdj|dzbl|dzje|ysje|jzr|xfsj|sfdy
        QTest::addColumn<QString>("total");
        const QString quantity = u"请指定消费数量!"_s;
        // clang-format off
        QTest::newRow("1.5") << "1.5" << true << "" << "1" << "1.50|38.50|1.00|0.00|57.75|张三|2026-12-06 12:30:00|0" << "85.75";
        QTest::newRow("-2") << "-2" << true << "" << "1" << "-2.00|38.50|1.00|0.00|-77.00|张三|2026-12-06 12:30:00|0" << "-49.00";
        QTest::newRow("leading numeral") << "2份" << true << "" << "1" << "2.00|38.50|1.00|0.00|77.00|张三|2026-12-06 12:30:00|0" << "105.00";
        QTest::newRow("abc") << "abc" << true << quantity << "abc" << "" << "28.00";
        QTest::newRow("below a cent") << "0.001" << true << quantity << "0.001" << "" << "28.00";
        QTest::newRow("no dish") << "2" << false << "请选定消费项目!" << "2.00" << "" << "28.00";
        // clang-format on
    }

    void addLine()
    {
        QFETCH(QString, quantity);
        QFETCH(bool, dish);
        QFETCH(QString, message);
        QFETCH(QString, total);
        Ordering o;
        o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
        ConsumptionList& list = o.show();
        QString text = quantity;
        const bool added =
            list.AddLine(text, dish ? kPork : ConsumptionList::Dish{}) == ConsumptionList::AddResult::Added;
        QCOMPARE(added, message.isEmpty());
        QTEST(text, "after");
        QCOMPARE(o.t.prompt.texts().join(QString()), message);
        QCOMPARE(list.amountTotal() + u'/' + o.totals(), total + u'/' + total + u'/' + total);
        QCOMPARE(list.lines().size(), added ? 2 : 1);
        if (added) {
            QCOMPARE(list.colour(1), quantity.startsWith(u'-') ? QColor(255, 0, 0) : QColor(0, 0, 255));
            QTEST(
                o.field(
                    1, u"printf('%.2f|%.2f|%.2f|%.2f|%.2f|%s|%s|%s',sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,sfdy)"_s),
                "stored");
        }
    }

    void returnPartThenTheRest()
    {
        Ordering o;
        o.r.order(u"A1"_s, u"鱼香肉丝"_s, 3, 0.8);
        EntryFile(o.t.folder(), ConsumptionList::kReturnReasonFile).remember(u"上错菜"_s);
        ConsumptionList& list = o.show();
        ReturnEntry seen;
        QVERIFY(list.ReturnOrDeleteLine(0, returning(u"1"_s, u"凉了"_s, &seen)));
        QCOMPARE(QStringList({seen.name, seen.returnableText, seen.quantity}) + seen.reasons,
                 (QStringList{"鱼香肉丝", "3.00", "3.00", "上错菜"}));
        QCOMPARE(o.row(1),
                 u"鱼香肉丝(退)|-1.00|28.00|0.80|-22.40|热菜|张三|2026-12-06 12:30:00|凉了|未打印"_s);
        QCOMPARE(o.field(1, u"printf('%.2f|%.2f|%s|%s', dzje, ysje, tdbj, tdbz)"_s),
                 u"-5.60|-22.40|1.00|凉了"_s);
        QCOMPARE(o.field(0, u"tdsl||tdbj"_s) + u' ' + o.totals(), u"1.01 44.80/44.80"_s);
        QCOMPARE(EntryFile(o.t.folder(), u"退单原因.txt"_s).entries(), (QStringList{"上错菜", "凉了"}));
        QVERIFY(list.ReturnOrDeleteLine(0, returning(u"2"_s, u"凉了"_s, &seen)));
        QCOMPARE(seen.returnableText + u' ' + o.totals(), u"2.00 0.00/0.00"_s);
        QVERIFY(!o.act(u"return"_s, 0));
        QCOMPARE(o.t.prompt.texts(), QStringList{u"此项目已经退单!"_s});
        // A new line that went to the kitchen can only be returned, not deleted.
        o.add(kPork);
        QVERIFY(list.mayDelete(3));
        list.markPrinted(3);
        QCOMPARE(list.actions(3).returnText, u"退单(&T)"_s);
        QVERIFY(list.ReturnOrDeleteLine(3, returning(u"1"_s, u"上错菜"_s, &seen)));
        QCOMPARE(seen.name + seen.returnableText + o.totals(), u"红烧肉1.000.00/0.00"_s);
    }

    // Rows: 0 鱼香肉丝 returned in full, 1 its return line, 2 a gift, 3 红烧肉, all stored; then new:
    // 4 a negative line, 5 a gift, 6 可乐. A refused or failing command changes nothing.
    void refusals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("refused"); // a statement that fails
        QTest::addColumn<QString>("message");
        const QString select = u"请选定消费项目!"_s, given = u"执行过退单操作的项目不能赠送!"_s;
        const QString quantity = u"请指定数量!"_s, failed = u"ADO Error: refused"_s;
        // clang-format off
        QTest::newRow("return, no row") << "return" << -1 << "" << "" << select;
        QTest::newRow("return of a line returned in full") << "return" << 0 << "" << "" << "此项目已经退单!";
        QTest::newRow("return of a return line, silent") << "return" << 1 << "" << "" << "";
        QTest::newRow("return of a gift") << "return" << 2 << "" << "" << "赠送的项目不能退单!";
        QTest::newRow("return of nothing") << "return" << 3 << "0,凉了" << "" << quantity;
        QTest::newRow("return of -1") << "return" << 3 << "-1,凉了" << "" << quantity;
        QTest::newRow("return of more than left") << "return" << 3 << "1.01,凉了" << "" << "数量不正确，请从新输入!";
        QTest::newRow("return without a reason") << "return" << 3 << "1,  " << "" << "退菜原因不能为空!";
        QTest::newRow("gift of a returned line") << "gift" << 0 << "" << "" << given;
        QTest::newRow("gift of a return line") << "gift" << 1 << "" << "" << given;
        QTest::newRow("gift, answered No") << "gift" << 3 << "" << "" << "真的要赠送'红烧肉'吗？";
        QTest::newRow("transfer of a returned line") << "transfer" << 0 << "B1" << "" << "执行过退单操作的项目不能转单!";
        QTest::newRow("transfer of a gift") << "transfer" << 2 << "B1" << "" << "赠送的项目不能转单!";
        QTest::newRow("transfer to this table") << "transfer" << 3 << "A1" << "" << "目标餐桌不能是当前餐桌!";
        QTest::newRow("transfer to a free table") << "transfer" << 3 << "C1" << "" << "请指定为占用的餐桌!";
        QTest::newRow("transfer to a quoted name") << "transfer" << 3 << "B1' or '1'='1" << "" << "请指定为占用的餐桌!";
        QTest::newRow("delete of a negative line") << "return" << 4 << "" << "" << "退单项目不能删除!";
        QTest::newRow("delete of a gift") << "return" << 5 << "" << "" << "赠单项目不能删除!";
        QTest::newRow("delete, answered No") << "return" << 6 << "" << "" << "真的要删除选定项目吗？";
        QTest::newRow("note of a vanished line") << "note" << 3 << "gone" << "" << "没有相关消费!";
        // The line is written, then the table's total is refused: the line must go too.
        QTest::newRow("add fails") << "add" << 0 << "" << "update on cz" << "增加消费发生异常,增加失败!";
        QTest::newRow("return fails") << "return" << 3 << "" << "update of tdsl on xfmx" << "退单发生异常,退单失败!";
        QTest::newRow("delete fails") << "return" << 6 << "" << "delete on xfmx" << "真的要删除选定项目吗？" + failed;
        QTest::newRow("gift fails") << "gift" << 3 << "" << "update on xfmx" << "真的要赠送'红烧肉'吗？" + failed;
        QTest::newRow("transfer fails") << "transfer" << 3 << "B1" << "update on cz when old.czm='B1'" << "转单发生异常,转单失败!";
        QTest::newRow("note fails") << "note" << 3 << "" << "update on xfmx" << failed;
        // clang-format on
    }

    void refusals()
    {
        QFETCH(QString, command);
        QFETCH(int, row);
        QFETCH(QString, arg);
        QFETCH(QString, refused);
        Ordering o;
        const qint64 full = o.r.order(u"A1"_s, u"鱼香肉丝"_s, 3);
        o.t.exec(u"update xfmx set tdsl=3, tdbj='1' where xfbh=%1"_s.arg(full));
        o.t.exec(u"update xfmx set tdbj='1.00' where xfbh=%1"_s.arg(o.r.order(u"A1"_s, u"鱼香肉丝"_s, -3)));
        o.r.order(u"A1"_s, u"可乐"_s, 2, 0);
        const qint64 pork = o.r.order(u"A1"_s, u"红烧肉"_s, 1);
        ConsumptionList& list = o.show();
        o.add(kCola, u"-1"_s);
        o.add(kCola);
        o.t.prompt.answer(Prompt::Answer::Yes);
        QVERIFY(o.act(u"gift"_s, 5));
        o.add(kCola);
        if (arg == u"gone"_s)
            o.t.exec(u"delete from xfmx where xfbh=%1"_s.arg(pork));
        if (!refused.isEmpty()) {
            o.t.exec(
                u"create trigger refuse before %1 begin select raise(abort,'refused'); end"_s.arg(refused));
            o.t.prompt.fallback = Prompt::Answer::Yes;
        }
        o.t.prompt.clear();
        const QString before = o.state();
        QVERIFY(!o.act(command, row, arg));
        QTEST(o.t.prompt.texts().join(QString()), "message");
        QCOMPARE(o.state(), before);
        QCOMPARE(QString::number(list.loadedLines()) + u'/' + QString::number(list.lines().size()), u"4/7"_s);
    }

    void giftDeleteTransferAndNote()
    {
        Ordering o;
        o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
        o.r.order(u"A1"_s, u"可乐"_s, 2);
        o.r.order(u"B1"_s, u"红烧肉"_s, 1);
        ConsumptionList& list = o.show();
        o.t.prompt.fallback = Prompt::Answer::Yes;
        QVERIFY(o.act(u"gift"_s, 1));
        QCOMPARE(o.row(1).section(u'|', 0, 4) + o.field(1, u"dzbl||'|'||dzje||'|'||ysje"_s) + o.totals(),
                 u"可乐(赠)|2.00|5.00|0.00|0.000.0|10.0|0.028.00/28.00"_s);
        QVERIFY(o.act(u"gift"_s, 1));
        QCOMPARE(o.row(1).section(u'|', 0, 4) + o.field(1, u"dzbl||'|'||dzje||'|'||ysje"_s) + o.totals(),
                 u"可乐|2.00|5.00|1.00|10.001.0|0.0|10.038.00/38.00"_s);
        o.add(kPork);
        QVERIFY(o.act(u"return"_s, 2));
        QCOMPARE(o.t.prompt.texts(), (QStringList{"真的要赠送'可乐'吗？", "真的要取消'可乐'的赠送吗？",
                                                  "真的要删除选定项目吗？"}));
        QCOMPARE(o.t.scalar(u"select count(*) from xfmx where xfxm='红烧肉'"_s) + o.totals() +
                     QString::number(list.selection()),
                 u"138.00/38.001"_s);
        // Moving a stored line away leaves one stored line fewer; moving a new one leaves them as they are.
        QVERIFY(o.act(u"transfer"_s, 1));
        QCOMPARE(QString::number(list.loadedLines()) + o.totals() + u' ' + o.totals(u"B1"_s),
                 u"128.00/28.00 48.50/48.50"_s);
        o.add(kCola);
        QVERIFY(o.act(u"transfer"_s, 1));
        QCOMPARE(QString::number(list.loadedLines()) + o.totals(u"B1"_s), u"153.50/53.50"_s);
        o.show(u"B1"_s);
        // Each note is offered once.
        for (const QString& text : {u"少辣"_s, u"O'Neil 不要冰"_s, u"少辣"_s})
            QVERIFY(list.SetNote(0, text));
        QCOMPARE(list.lines().at(0).note + o.field(0, u"bz"_s), u"少辣少辣"_s);
        QCOMPARE(list.tasteChoices(), (QStringList{"少辣", "O'Neil 不要冰"}));
    }

    void copyAndPaste()
    {
        Ordering o;
        o.t.exec(u"insert into xm(xmbh,xmm,dj,lbm) values(6,'鱼,虾',8,'热菜')"_s);
        o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1.5);
        o.r.order(u"A1"_s, u"可乐"_s, 2, 0);
        o.r.order(u"A1"_s, u"鱼,虾"_s, 1, 0.9);
        o.r.order(u"B1"_s, u"红烧肉"_s, 1);
        const QString copied = o.show().CopyLines({2, 1, 0, 1});
        QCOMPARE(copied,
                 u"Orvo2.4\n鱼香肉丝,1.50,28.00,1.00\r\n可乐,2.00,5.00,0.00\r\n鱼,虾,1.00,8.00,0.90\r\n"_s);
        ConsumptionList& list = o.show(u"B1"_s);
        // A line that names no dish would be billed but never listed; broken records are skipped.
        QVERIFY(list.PasteLines(copied + u"撤下的菜,1,99,1\r\n可乐,abc,5,1\r\n,,,\r\n可乐,2\r\n"
                                         "可乐,1,5,1);drop table xfmx;--\r\n可乐,1,inf,1\r\n"_s));
        QCOMPARE(o.t.prompt.texts(), QStringList{u"以下项目不是消费项目,未粘贴:撤下的菜"_s});
        QCOMPARE(QString::number(list.loadedLines()) + u'/' + QString::number(list.lines().size()), u"4/4"_s);
        QCOMPARE(o.row(2), u"可乐(赠)|2.00|5.00|0.00|0.00|酒水|张三|2026-12-06 12:30:00||未打印"_s);
        QCOMPARE(o.field(2, u"dzje||'|'||ysje"_s), u"10.0|0.0"_s);
        QCOMPARE(o.row(3), u"鱼,虾|1.00|8.00|0.90|7.20|热菜|张三|2026-12-06 12:30:00||未打印"_s);
        QCOMPARE(o.totals(u"B1"_s) + o.t.scalar(u"select count(*) from xfmx where czm='A1'"_s),
                 u"87.70/87.703"_s);
        // Text from elsewhere pastes nothing; the totals are written again.
        o.t.exec(u"update dj set xfhj=999"_s);
        QVERIFY(!list.PasteLines(u"红烧肉,1,38.5,1\r\n"_s));
        QCOMPARE(o.totals(u"B1"_s), u"87.70/87.70"_s);
    }

    // The clipboard is typed text: a pasted line takes the catalogue's price, and its quantity and
    // ratio are held to what the operator could enter and discount on this screen.
    void pasteHoldsToCatalogueAndLimit_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("listed"); // name|quantity|price|ratio|amount, or "" when refused
        QTest::newRow("price from the catalogue")
            << u"红烧肉,2,0.01,1"_s << u"红烧肉|2.00|38.50|1.00|77.00"_s;
        QTest::newRow("ratio at the limit") << u"红烧肉,1,38.50,0.90"_s << u"红烧肉|1.00|38.50|0.90|34.65"_s;
        QTest::newRow("ratio below the limit") << u"红烧肉,1,38.50,0.89"_s << QString();
        QTest::newRow("negative ratio") << u"红烧肉,1,38.50,-2"_s << QString();
        QTest::newRow("ratio above one") << u"红烧肉,1,38.50,1.5"_s << QString();
        QTest::newRow("a gift") << u"可乐,2,0.01,0"_s << u"可乐(赠)|2.00|5.00|0.00|0.00"_s;
        QTest::newRow("negative quantity") << u"红烧肉,-3,38.50,1"_s << QString();
        QTest::newRow("zero quantity") << u"红烧肉,0.001,38.50,1"_s << QString();
        QTest::newRow("discount on a dish without") << u"啤酒,1,8,0.95"_s << QString();
        QTest::newRow("dish without discount, full price")
            << u"啤酒,1,8,1"_s << u"啤酒|1.00|8.00|1.00|8.00"_s;
    }
    void pasteHoldsToCatalogueAndLimit()
    {
        QFETCH(QString, record);
        QFETCH(QString, listed);
        Ordering o;
        ConsumptionList& list = o.show(u"B1"_s);
        QCOMPARE(list.PasteLines(u"Orvo2.4\n"_s + record + u"\r\n"_s), !listed.isEmpty());
        QCOMPARE(o.t.prompt.texts(),
                 listed.isEmpty()
                     ? QStringList{u"以下项目的数量或折扣超出允许范围,未粘贴:"_s + record.section(u',', 0, 0)}
                     : QStringList());
        QCOMPARE(list.lines().isEmpty() ? QString() : o.row(0).section(u'|', 0, 4), listed);
        QCOMPARE(o.totals(u"B1"_s), listed.isEmpty()
                                        ? u"0.00/0.00"_s
                                        : listed.section(u'|', 4) + u'/' + listed.section(u'|', 4));
    }

    // The ordering screen: keys, its dialogs, what it shows.
    void orderingByKeyboard()
    {
        Screen s;
        QCOMPARE(s.dialog->windowTitle() + s.child<QGroupBox>("linesFrame")->title() + s.text("guests") +
                     s.text("amount") + s.text("count"),
                 u"增加消费“A1”餐桌消费清单428.003.00"_s);
        auto* search = s.child<QLineEdit>("search");
        QCOMPARE(QApplication::focusWidget(), search);
        s.press(Qt::Key_Down);
        QCOMPARE(s.text("currentDish"), u"红烧肉"_s);
        QTest::keyClicks(search, u"2"_s); // by number
        s.press(Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClicks(s.child<QLineEdit>("quantity"), u"1.5"_s);
        s.press(Qt::Key_Return);
        QCOMPARE(s.shown(2) + s.text("amount"), u"红烧肉|1.50|38.50|1.00|57.75 #0000ff85.75"_s);
        QVERIFY(QApplication::focusWidget() == search && search->selectedText() == u"2"_s);
        QCOMPARE(s.child<QPushButton>("return")->text(), u"删除(&T)"_s);
        s.press(Qt::Key_Delete); // answered No
        QCOMPARE(s.t.prompt.texts(), QStringList{u"真的要删除选定项目吗？"_s});

        // Sent to the kitchen, the new line can only be returned: Delete opens the return dialog.
        QTest::mouseClick(s.child<QPushButton>("print"), Qt::LeftButton);
        QCOMPARE(s.spooler.documents.size(), 1);
        QCOMPARE(s.lines->cellText(2, 10) + s.child<QPushButton>("return")->text(), u"已打印退单(&T)"_s);
        QStringList seen;
        whenModal([&](QWidget* dialog) {
            auto* quantity = dialog->findChild<QLineEdit*>(u"quantity"_s);
            seen << dialog->windowTitle() << quantity->text();
            quantity->setText(u"1"_s);
            QTest::keyClick(quantity, Qt::Key_Return);
            auto* reason = dialog->findChild<QComboBox*>(u"reason"_s);
            seen << s.t.prompt.last() << QString::number(reason->hasFocus());
            reason->setEditText(u"上错菜"_s);
            QTest::keyClick(reason, Qt::Key_Return);
        });
        s.press(Qt::Key_Delete);
        QCOMPARE(seen, (QStringList{"指定退单数量", "1.50", "退菜原因不能为空!", "1"}));
        QCOMPARE(s.shown(3) + s.lines->cellText(3, 9) + s.text("amount"),
                 u"红烧肉(退)|-1.00|38.50|1.00|-38.50 #ff0000上错菜47.25"_s);
        // Minus checks out; the key does not reach the search box.
        s.press(Qt::Key_Minus);
        QVERIFY(s.dialog->checkoutRequested() && s.dialog->changed());
        QCOMPARE(search->text() + QString::number(s.dialog->result()), u"21"_s);
    }

    void transferNoteCopyAndPaste()
    {
        Screen s;
        s.select(0);
        QStringList seen;
        whenModal([&](QWidget* dialog) {
            auto* target = dialog->findChild<QComboBox*>(u"target"_s);
            seen << dialog->windowTitle() << target->itemText(0);
            target->setEditText(u"C1"_s);
            QTest::keyClick(target, Qt::Key_Return);
            seen << s.t.prompt.last() << target->currentText();
            target->setEditText(u"B1"_s);
            QTest::keyClick(target, Qt::Key_Return);
        });
        QTest::mouseClick(s.child<QPushButton>("transfer"), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"消费转单", "B1", "请指定为占用的餐桌!", ""}));
        QCOMPARE(s.shown(0) + s.text("amount") + s.r.registration(u"B1"_s, u"printf('%.2f',xfhj)"_s),
                 u"可乐(赠)|2.00|5.00|0.00|0.00 #ff99000.0028.00"_s);

        // A double click opens the note with the line's own note in the box.
        s.t.exec(u"update xfmx set bz='加冰'"_s);
        const QPoint at = s.lines->visualRect(s.lines->model()->index(0, 1)).center();
        whenModal([&](QWidget* dialog) {
            auto* taste = dialog->findChild<QComboBox*>(u"taste"_s);
            seen << taste->currentText();
            taste->setEditText(u"不要冰"_s);
            QTest::keyClick(taste, Qt::Key_Return);
        });
        QTest::mouseClick(s.lines->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(s.lines->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(seen.last() + u' ' + s.lines->cellText(0, 9), u"加冰 不要冰"_s);
        // Copied, and on another table a paste that adds nothing reads the list again: the new line is
        // stored.
        s.press(Qt::Key_A, Qt::ControlModifier);
        s.press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Orvo2.4\n可乐,2.00,5.00,0.00\r\n"_s);
        s.child<QComboBox>("tables")->setCurrentText(u"B1"_s);
        s.press(Qt::Key_F8); // 鱼香肉丝, a new line
        QGuiApplication::clipboard()->setText(u"Orvo2.4\n撤下的菜,1,99,1\r\n"_s);
        s.select(1);
        s.press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.t.prompt.last(), u"以下项目不是消费项目,未粘贴:撤下的菜"_s);
        QCOMPARE(s.shown(1) + s.child<QPushButton>("return")->text(),
                 u"鱼香肉丝|1.00|28.00|1.00|28.00 #000000退单(&T)"_s);
        // Alt+O is 结账's alone.
        s.press(Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(s.dialog->checkoutRequested()); // a button's key clicks it a moment later
    }
};

PELVAR_TEST(TestConsumptionList)
#include "tst_ConsumptionList.moc"
