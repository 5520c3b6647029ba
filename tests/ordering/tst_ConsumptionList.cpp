#include "Clock.h"
#include "ConsumptionList.h"
#include "EntryFile.h"
#include "Gbk.h"
#include "Restaurant.h"
#include "Sql.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
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
    // One command on a row: "add" (可乐), "return" (1, 凉了), "gift", "transfer" (to `target`), "note".
    bool act(const QString& command, int row, const QString& target = u"B1"_s)
    {
        if (command == u"add"_s)
            return add(kCola) != u"refused"_s;
        if (command == u"return"_s)
            return list.ReturnOrDeleteLine(row, returning(u"1"_s, u"凉了"_s));
        if (command == u"gift"_s)
            return list.ToggleGift(row);
        if (command == u"transfer"_s)
            return list.TransferLine(row, [&target](ConsumptionList::TransferEntry& entry) {
                entry.target = target;
                return true;
            });
        return list.SetNote(row, u"少辣"_s);
    }
    // The visit's and the table's running totals.
    QString totals(const QString& table = u"A1"_s)
    {
        return t.scalar(u"select printf('%.2f/', xfhj) from dj where xfzt='占用' and czm="_s +
                        Sql::quote(table)) +
               t.scalar(u"select printf('%.2f', xfhj) from cz where czm="_s + Sql::quote(table));
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
    QString field(qint64 line, const QString& columns)
    {
        return t.scalar(u"select %1 from xfmx where xfbh=%2"_s.arg(columns).arg(line));
    }

    TestDatabase t;
    Restaurant r;
    ConsumptionList list{t.db, u"张三"_s, t.folder()};
};

} // namespace

class TestConsumptionList : public QObject
{
    Q_OBJECT
private slots:
    void loadsTheOpenLines();
    void addLine_data();
    void addLine();
    void lineLimit();
    void failedLoadWritesNoTotals();
    void returnPartThenTheRest();
    void returnEntryChecks_data();
    void returnEntryChecks();
    void printedNewLineCanOnlyBeReturned();
    void refusals_data();
    void refusals();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void giftDeleteAndTransfer();
    void notesAndEntryFiles();
    void copyAndPaste();
};

void TestConsumptionList::loadsTheOpenLines()
{
    Ordering o;
    const qint64 fish = o.r.order(u"A1"_s, u"鱼香肉丝"_s, 2);
    o.t.exec(u"update xfmx set sfdy='1', bz='少辣', xfsj='2026-12-06T09:05:03' where xfbh=%1"_s.arg(fish));
    o.t.exec(u"update xfmx set xfsj='2026-12-06' where xfbh=%1"_s.arg(o.r.order(u"A1"_s, u"可乐"_s, 3, 0)));
    o.t.exec(u"update xfmx set jzbj='1' where xfbh=%1"_s.arg(o.r.order(u"A1"_s, u"啤酒"_s, 1)));
    o.r.order(u"B1"_s, u"红烧肉"_s, 1);
    o.r.line(u"A1"_s, u"撤下的菜"_s, 1, 99); // no dish of that name
    ConsumptionList& list = o.show();
    QCOMPARE(list.title(), u"“A1”餐桌消费清单"_s);
    QCOMPARE(list.loadedLines(), 2);
    QCOMPARE(list.lines().at(0).number, fish);
    // Money, quantities and ratios with two decimals, times as every screen shows them.
    QCOMPARE(o.row(0), u"鱼香肉丝|2.00|28.00|1.00|56.00|热菜|张三|2026-12-06 09:05:03|少辣|已打印"_s);
    QCOMPARE(o.row(1), u"可乐(赠)|3.00|5.00|0.00|0.00|酒水|张三|2026-12-06 00:00:00||未打印"_s);
    QCOMPARE(list.colour(0), QColor());
    QCOMPARE(list.colour(1), QColor(255, 153, 0));
    QCOMPARE(list.quantityTotal() + u' ' + list.amountTotal(), u"5.00 56.00"_s);
}

void TestConsumptionList::addLine_data()
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
    QTest::newRow("0") << "0" << true << quantity << "0" << "" << "28.00";
    QTest::newRow("below a cent") << "0.001" << true << quantity << "0.001" << "" << "28.00";
    QTest::newRow("no dish") << "2" << false << "请选定消费项目!" << "2.00" << "" << "28.00";
    // clang-format on
}

void TestConsumptionList::addLine()
{
    QFETCH(QString, quantity);
    QFETCH(bool, dish);
    QFETCH(QString, message);
    QFETCH(QString, total);
    Ordering o;
    o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
    ConsumptionList& list = o.show();
    QString text = quantity;
    QCOMPARE(list.AddLine(text, dish ? kPork : ConsumptionList::Dish{}) == ConsumptionList::AddResult::Added,
             message.isEmpty());
    QTEST(text, "after");
    QCOMPARE(o.t.prompt.texts().join(QString()), message);
    QCOMPARE(list.amountTotal() + u'/' + o.totals(), total + u'/' + total + u'/' + total);
    QCOMPARE(list.lines().size(), message.isEmpty() ? 2 : 1);
    if (message.isEmpty()) {
        QCOMPARE(list.colour(1), quantity.startsWith(u'-') ? QColor(255, 0, 0) : QColor(0, 0, 255));
        QCOMPARE(list.selection(), 1);
        QTEST(o.field(list.lines().at(1).number,
                      u"printf('%.2f|%.2f|%.2f|%.2f|%.2f|%s|%s|%s',sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,sfdy)"_s),
              "stored");
    }
}

void TestConsumptionList::lineLimit()
{
    Ordering o;
    o.t.exec(u"with recursive n(i) as (select 1 union all select i+1 from n where i<9000) insert into "
             "xfmx(czm,xfxm,sl,xmdj,dzbl,ysje) select 'A1','可乐',1,5,1,5 from n"_s);
    o.show();
    QCOMPARE(o.add(kCola), u"1"_s); // the 9001st line
    QCOMPARE(o.add(kCola), u"refused"_s);
    QCOMPARE(o.t.prompt.texts(), QStringList{u"消费项目超过系统限制!"_s});
    QCOMPARE(o.totals(), u"45005.00/45005.00"_s);
}

void TestConsumptionList::failedLoadWritesNoTotals()
{
    Ordering o;
    o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
    o.t.exec(u"alter table xm rename to xm_gone"_s);
    QVERIFY(!o.list.LoadConsumptionList());
    QVERIFY(!o.list.RecalcTotals());
    QCOMPARE(o.add(kCola), u"refused"_s);
    QCOMPARE(o.t.prompt.texts().size(), 2);
    QVERIFY(o.t.prompt.texts().first().startsWith(u"ADO Error: "_s));
    QCOMPARE(o.t.prompt.last(), u"增加消费发生异常,增加失败!"_s);
    QCOMPARE(o.totals(), u"28.00/28.00"_s);
    QCOMPARE(o.t.scalar(u"select count(*) from xfmx"_s), u"1"_s);
}

void TestConsumptionList::returnPartThenTheRest()
{
    Ordering o;
    const qint64 fish = o.r.order(u"A1"_s, u"鱼香肉丝"_s, 3, 0.8);
    EntryFile(o.t.folder(), ConsumptionList::kReturnReasonFile).remember(u"上错菜"_s);
    ConsumptionList& list = o.show();
    ReturnEntry seen;
    QVERIFY(list.ReturnOrDeleteLine(0, returning(u"1"_s, u"凉了"_s, &seen)));
    QCOMPARE(QStringList({seen.name, seen.returnableText, seen.quantity}) + seen.reasons,
             (QStringList{"鱼香肉丝", "3.00", "3.00", "上错菜"}));
    QCOMPARE(o.row(1), u"鱼香肉丝(退)|-1.00|28.00|0.80|-22.40|热菜|张三|2026-12-06 12:30:00|凉了|未打印"_s);
    QCOMPARE(list.colour(1), QColor(255, 0, 0));
    QCOMPARE(o.field(list.lines().at(1).number, u"printf('%.2f|%.2f|%s|%s', dzje, ysje, tdbj, tdbz)"_s),
             u"-5.60|-22.40|1.00|凉了"_s);
    QCOMPARE(o.field(fish, u"tdsl||tdbj"_s), u"1.01"_s);
    QCOMPARE(o.totals(), u"44.80/44.80"_s);
    QCOMPARE(EntryFile(o.t.folder(), ConsumptionList::kReturnReasonFile).entries(),
             (QStringList{"上错菜", "凉了"}));
    QVERIFY(list.ReturnOrDeleteLine(0, returning(u"2"_s, u"凉了"_s, &seen)));
    QCOMPARE(seen.returnableText, u"2.00"_s);
    QCOMPARE(o.totals(), u"0.00/0.00"_s);
    QVERIFY(!o.act(u"return"_s, 0));
    QCOMPARE(o.t.prompt.texts(), QStringList{u"此项目已经退单!"_s});
}

void TestConsumptionList::returnEntryChecks_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus"); // none, quantity, reason
    // clang-format off
    QTest::newRow("all") << "3.00" << "凉了" << "" << 0;
    QTest::newRow("part") << "0.5" << "凉了" << "" << 0;
    QTest::newRow("zero") << "0" << "凉了" << "请指定数量!" << 1;
    QTest::newRow("negative") << "-1" << "凉了" << "请指定数量!" << 1;
    QTest::newRow("not a number") << "abc" << "凉了" << "请指定数量!" << 1;
    QTest::newRow("more than left") << "3.01" << "凉了" << "数量不正确，请从新输入!" << 1;
    QTest::newRow("blank reason") << "1" << "  " << "退菜原因不能为空!" << 2;
    // clang-format on
}

void TestConsumptionList::returnEntryChecks()
{
    QFETCH(QString, quantity);
    QFETCH(QString, reason);
    QFETCH(QString, message);
    Ordering o;
    const qint64 fish = o.r.order(u"A1"_s, u"鱼香肉丝"_s, 3);
    ConsumptionList& list = o.show();
    ReturnEntry entry{{}, 3, {}, quantity, reason, {}};
    auto field = ConsumptionList::ReturnField::Reason;
    QCOMPARE(list.checkReturnEntry(entry, &field), message.isEmpty());
    QTEST(int(field), "focus");
    QCOMPARE(o.t.prompt.texts().join(QString()), message);
    // A dialog that confirms anyway books nothing that the check refuses.
    QCOMPARE(list.ReturnOrDeleteLine(0, returning(quantity, reason)), message.isEmpty());
    QCOMPARE(o.field(fish, u"tdsl"_s).toDouble(), message.isEmpty() ? quantity.toDouble() : 0.0);
}

void TestConsumptionList::printedNewLineCanOnlyBeReturned()
{
    Ordering o;
    ConsumptionList& list = o.show();
    o.add(kPork, u"2"_s);
    QVERIFY(list.mayDelete(0));
    list.markPrinted(0); // its kitchen ticket went out
    QCOMPARE(list.actions(0).returnText, u"退单(&T)"_s);
    ReturnEntry seen;
    QVERIFY(list.ReturnOrDeleteLine(0, returning(u"2"_s, u"上错菜"_s, &seen)));
    QCOMPARE(seen.returnableText, u"2.00"_s);
    QCOMPARE(o.t.scalar(u"select group_concat(sl) from xfmx"_s), u"2.0,-2.0"_s);
    QCOMPARE(o.totals(), u"0.00/0.00"_s);
}

// Rows: 0 鱼香肉丝 returned in full, 1 its return line, 2 a gift, 3 红烧肉, all stored; then new:
// 4 a negative line, 5 a gift, 6 可乐.
void TestConsumptionList::refusals_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    const QString select = u"请选定消费项目!"_s, given = u"执行过退单操作的项目不能赠送!"_s;
    // clang-format off
    QTest::newRow("return, no row") << "return" << -1 << "" << select;
    QTest::newRow("gift, past the end") << "gift" << 7 << "" << select;
    QTest::newRow("transfer, no row") << "transfer" << -1 << "B1" << select;
    QTest::newRow("note, past the end") << "note" << 7 << "" << select;
    QTest::newRow("return of a line returned in full") << "return" << 0 << "" << "此项目已经退单!";
    QTest::newRow("return of a return line, silent") << "return" << 1 << "" << "";
    QTest::newRow("return of a gift") << "return" << 2 << "" << "赠送的项目不能退单!";
    QTest::newRow("gift of a returned line") << "gift" << 0 << "" << given;
    QTest::newRow("gift of a return line") << "gift" << 1 << "" << given;
    QTest::newRow("gift, answered No") << "gift" << 3 << "" << "真的要赠送'红烧肉'吗？";
    QTest::newRow("transfer of a returned line") << "transfer" << 0 << "B1" << "执行过退单操作的项目不能转单!";
    QTest::newRow("transfer of a gift") << "transfer" << 2 << "B1" << "赠送的项目不能转单!";
    QTest::newRow("transfer to this table") << "transfer" << 3 << "A1" << "目标餐桌不能是当前餐桌!";
    QTest::newRow("transfer to a free table") << "transfer" << 3 << "C1" << "请指定为占用的餐桌!";
    QTest::newRow("transfer to a quoted name") << "transfer" << 3 << "B1' or '1'='1" << "请指定为占用的餐桌!";
    QTest::newRow("delete of a negative line") << "return" << 4 << "" << "退单项目不能删除!";
    QTest::newRow("delete of a gift") << "return" << 5 << "" << "赠单项目不能删除!";
    QTest::newRow("delete, answered No") << "return" << 6 << "" << "真的要删除选定项目吗？";
    QTest::newRow("note of a vanished line") << "note" << 3 << "gone" << "没有相关消费!";
    // clang-format on
}

void TestConsumptionList::refusals()
{
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QString, target);
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
    if (target == u"gone"_s)
        o.t.exec(u"delete from xfmx where xfbh=%1"_s.arg(pork));
    o.t.prompt.clear();
    const QString before = o.state();
    QVERIFY(!o.act(command, row, target));
    QTEST(o.t.prompt.texts().join(QString()), "message");
    QCOMPARE(o.state(), before);
    QCOMPARE(list.lines().size(), 7);
}

void TestConsumptionList::failureChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("message");
    // The line is written, then the table's total is refused: the line must go too.
    // clang-format off
    // The line is written, then the table's total is refused: the line must go too.
    QTest::newRow("add") << "add" << 0 << "update on cz" << "增加消费发生异常,增加失败!";
    QTest::newRow("return") << "return" << 0 << "update of tdsl on xfmx" << "退单发生异常,退单失败!";
    QTest::newRow("delete") << "return" << 1 << "delete on xfmx" << "ADO Error: refused";
    QTest::newRow("gift") << "gift" << 0 << "update on xfmx" << "ADO Error: refused";
    QTest::newRow("transfer") << "transfer" << 0 << "update on cz when old.czm='B1'" << "转单发生异常,转单失败!";
    QTest::newRow("note") << "note" << 0 << "update on xfmx" << "ADO Error: refused";
    // clang-format on
}

void TestConsumptionList::failureChangesNothing()
{
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QString, refused);
    Ordering o;
    o.r.order(u"A1"_s, u"鱼香肉丝"_s, 3);
    ConsumptionList& list = o.show();
    o.add(kCola);
    o.t.exec(u"create trigger refuse before %1 begin select raise(abort,'refused'); end"_s.arg(refused));
    const QString before = o.state();
    o.t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(!o.act(command, row));
    QTEST(o.t.prompt.last(), "message");
    QCOMPARE(o.state(), before);
    QCOMPARE(o.row(0), u"鱼香肉丝|3.00|28.00|1.00|84.00|热菜|张三|2026-12-06 11:05:00||未打印"_s);
    QCOMPARE(QString::number(list.loadedLines()) + u'/' + QString::number(list.lines().size()), u"1/2"_s);
    QCOMPARE(list.amountTotal(), u"89.00"_s);
}

void TestConsumptionList::giftDeleteAndTransfer()
{
    Ordering o;
    o.r.order(u"A1"_s, u"鱼香肉丝"_s, 1);
    const qint64 cola = o.r.order(u"A1"_s, u"可乐"_s, 2);
    o.r.order(u"B1"_s, u"红烧肉"_s, 1);
    ConsumptionList& list = o.show();
    o.t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(o.act(u"gift"_s, 1));
    QCOMPARE(o.row(1), u"可乐(赠)|2.00|5.00|0.00|0.00|酒水|张三|2026-12-06 11:05:00||未打印"_s);
    QCOMPARE(o.field(cola, u"dzbl||'|'||dzje||'|'||ysje"_s) + u' ' + o.totals(),
             u"0.0|10.0|0.0 28.00/28.00"_s);
    o.t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(o.act(u"gift"_s, 1));
    QCOMPARE(o.row(1), u"可乐|2.00|5.00|1.00|10.00|酒水|张三|2026-12-06 11:05:00||未打印"_s);
    QCOMPARE(o.field(cola, u"dzbl||'|'||dzje||'|'||ysje"_s) + u' ' + o.totals(),
             u"1.0|0.0|10.0 38.00/38.00"_s);

    o.add(kPork);
    o.t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(o.act(u"return"_s, 2));
    QCOMPARE(o.t.prompt.texts(),
             (QStringList{"真的要赠送'可乐'吗？", "真的要取消'可乐'的赠送吗？", "真的要删除选定项目吗？"}));
    QCOMPARE(o.t.scalar(u"select count(*) from xfmx where xfxm='红烧肉'"_s) + u' ' + o.totals(),
             u"1 38.00/38.00"_s);
    QCOMPARE(list.selection(), 1);

    QVERIFY(o.act(u"transfer"_s, 1));
    QCOMPARE(o.field(cola, u"czm"_s), u"B1"_s);
    QCOMPARE(o.totals() + u' ' + o.totals(u"B1"_s), u"28.00/28.00 48.50/48.50"_s);
    // A stored line moved away counts no more among the stored ones; a new one leaves them as they are.
    QCOMPARE(list.loadedLines(), 1);
    o.add(kCola);
    QVERIFY(o.act(u"transfer"_s, 1));
    QCOMPARE(list.loadedLines(), 1);
    QCOMPARE(o.totals(u"B1"_s), u"53.50/53.50"_s);
    QCOMPARE(o.show(u"B1"_s).amountTotal(), u"53.50"_s);
    QVERIFY(list.changed());
}

void TestConsumptionList::notesAndEntryFiles()
{
    Ordering o;
    const qint64 cola = o.r.order(u"A1"_s, u"可乐"_s, 2);
    o.t.exec(u"update xfmx set bz='加冰'"_s);
    ConsumptionList& list = o.show();
    QString note;
    QVERIFY(list.readNote(0, &note));
    QCOMPARE(note, u"加冰"_s);
    for (const QString& text : {u"少辣"_s, u"O'Neil 不要冰"_s, u"少辣"_s})
        QVERIFY(list.SetNote(0, text));
    QCOMPARE(list.lines().at(0).note + u' ' + o.field(cola, u"bz"_s), u"少辣 少辣"_s);
    QFile file(QDir(o.t.folder()).filePath(u"口味.txt"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(u"少辣\r\nO'Neil 不要冰\r\n"_s));
    QCOMPARE(o.t.prompt.texts(), QStringList());
    file.close();
    // Files written by hand: no last line end, blank lines, UTF-8 with its byte order mark.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + u"\r\n微辣\r\n\r\n不要葱"_s.toUtf8());
    file.close();
    QVERIFY(EntryFile(o.t.folder(), u"口味.txt"_s).remember(u"少盐"_s));
    QCOMPARE(list.tasteChoices(), (QStringList{"微辣", "不要葱", "少盐"}));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(u"\r\n微辣\r\n\r\n不要葱\r\n少盐\r\n"_s));
}

void TestConsumptionList::copyAndPaste()
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
    QVERIFY(list.PasteLines(copied + u"撤下的菜,1,99,1\r\n可乐,abc,5,1\r\n,,,\r\n可乐,2\r\n可乐,1,5,1);drop "
                                     "table xfmx;--\r\n可乐,1,inf,1\r\n"_s));
    QCOMPARE(o.t.prompt.texts(), QStringList{u"以下项目不是消费项目,未粘贴:撤下的菜"_s});
    QCOMPARE(QString::number(list.loadedLines()) + u'/' + QString::number(list.lines().size()), u"4/4"_s);
    QCOMPARE(o.row(2), u"可乐(赠)|2.00|5.00|0.00|0.00|酒水|张三|2026-12-06 12:30:00||未打印"_s);
    QCOMPARE(o.field(list.lines().at(2).number, u"dzje||'|'||ysje"_s), u"10.0|0.0"_s);
    QCOMPARE(o.row(3), u"鱼,虾|1.00|8.00|0.90|7.20|热菜|张三|2026-12-06 12:30:00||未打印"_s);
    QCOMPARE(o.totals(u"B1"_s), u"87.70/87.70"_s);
    QCOMPARE(o.t.scalar(u"select count(*) from xfmx where czm='A1'"_s), u"3"_s);
    // Text from elsewhere pastes nothing; the totals are written again.
    o.t.exec(u"update dj set xfhj=999"_s);
    QVERIFY(!list.PasteLines(u"红烧肉,1,38.5,1\r\n"_s));
    QCOMPARE(o.totals(u"B1"_s), u"87.70/87.70"_s);
}

PELVAR_TEST(TestConsumptionList)
#include "tst_ConsumptionList.moc"
