#include "Clock.h"
#include "Restaurant.h"
#include "TableBoard.h"
#include "TestMain.h"

#include <QTest>

using State = TableBoard::State;
using Command = TableBoard::Command;
Q_DECLARE_METATYPE(TableBoard::State)
Q_DECLARE_METATYPE(TableBoard::Filter)
Q_DECLARE_METATYPE(TableBoard::Command)

namespace {

QStringList names(const QList<TableBoard::Item>& items)
{
    QStringList out;
    for (const TableBoard::Item& item : items)
        out << item.name;
    return out;
}

TableBoard::Item itemIn(const QList<TableBoard::Item>& items, const QString& name)
{
    for (const TableBoard::Item& item : items)
        if (item.name == name)
            return item;
    return {};
}

} // namespace

class TestTableBoard : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void stateOfATable_data();
    void stateOfATable();
    void columnsOfEachState();
    void refreshSeesChangesInPlace();
    void failingStatementReportsAndLeavesNothing();
    void filters_data();
    void filters();
    void shiftOfDay_data();
    void shiftOfDay();
    void quickFind();
    void elapsedText_data();
    void elapsedText();
    void elapsedUpdateWritesEveryOpenTable();
    void commands_data();
    void commands();
    void enterOpensOrChecksOut();
};

// Bookings of table A; the clock stands in shift 1 of 2026-12-06.
void TestTableBoard::stateOfATable_data()
{
    QTest::addColumn<bool>("occupied");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QDateTime>("arrival");
    QTest::addColumn<QString>("bookingState");
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("text");

    const QDateTime today(QDate(2026, 12, 6), QTime(13, 0));
    const QDateTime tomorrow = today.addDays(1);
    QTest::newRow("free") << false << 0 << QDateTime() << QString() << State::Free << "空闲";
    QTest::newRow("occupied") << true << 0 << QDateTime() << QString() << State::Occupied << "占用";
    QTest::newRow("booked now") << false << 1 << today << "已订" << State::Reserved << "预订";
    QTest::newRow("booked tomorrow") << false << 1 << tomorrow << "已订" << State::Free << "空闲";
    QTest::newRow("booked later today") << false << 2 << today << "已订" << State::Free << "空闲";
    QTest::newRow("booking cancelled") << false << 1 << today << "取消" << State::Free << "空闲";
    QTest::newRow("booking arrived") << false << 1 << today << "到达" << State::Free << "空闲";
    QTest::newRow("booked and occupied") << true << 1 << today << "已订" << State::Occupied << "占用";
}

void TestTableBoard::stateOfATable()
{
    QFETCH(bool, occupied);
    QFETCH(int, shift);
    QFETCH(QDateTime, arrival);
    QFETCH(QString, bookingState);
    QFETCH(State, state);
    QFETCH(QString, text);

    TestDatabase t;
    Restaurant(t).shifts();
    Restaurant(t).table(QStringLiteral("A"));
    Restaurant(t).table(QStringLiteral("B"));
    if (occupied)
        Restaurant(t).occupy(QStringLiteral("A"), Restaurant::kNow.addSecs(-600));
    if (shift)
        Restaurant(t).book(QStringLiteral("20261201090000"), QStringLiteral("A"), shift, arrival,
                           bookingState);

    TableBoard board(t.db);
    const QList<TableBoard::Item> items = board.load(TableBoard::kStartStatement);
    QCOMPARE(names(items), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(items.at(0).state, state);
    QCOMPARE(items.at(0).stateText, text);
    QCOMPARE(items.at(1).state, State::Free);
    if (state == State::Reserved)
        QCOMPARE(items.at(0).arrival, QStringLiteral("2026-12-06 13:00:00"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableBoard::columnsOfEachState()
{
    TestDatabase t;
    Restaurant(t).shifts();
    Restaurant(t).table(QStringLiteral("A"), QStringLiteral("大厅"), 6);
    Restaurant(t).table(QStringLiteral("B"), QStringLiteral("雅间"), 8);
    Restaurant(t).table(QStringLiteral("C"), QStringLiteral("大厅"), 4);
    t.exec(QStringLiteral("update cz set bz='靠窗', yysj='0小时5分' where czm in ('A','C')"));
    Restaurant(t).occupy(QStringLiteral("A"), QDateTime(QDate(2026, 12, 6), QTime(12, 25, 0)), 12.5);
    Restaurant(t).book(QStringLiteral("20261201090000"), QStringLiteral("B"), 1,
                       QDateTime(QDate(2026, 12, 6), QTime(13, 5, 9)));
    t.exec(QStringLiteral("update cz set xfhj=null where czm='C'"));

    TableBoard board(t.db);
    const QList<TableBoard::Item> items = board.load(TableBoard::kStartStatement);
    const TableBoard::Item a = itemIn(items, QStringLiteral("A"));
    QCOMPARE(QStringList({a.stateText, a.amount, a.arrival, a.elapsed, a.guests, a.seats, a.room, a.note}),
             QStringList({"占用", "￥12.50", "2026-12-06 12:25:00", "0小时5分", "3", "6", "大厅", "靠窗"}));
    const TableBoard::Item b = itemIn(items, QStringLiteral("B"));
    QCOMPARE(QStringList({b.stateText, b.amount, b.arrival, b.elapsed, b.guests, b.seats, b.room, b.note}),
             QStringList({"预订", "", "2026-12-06 13:05:09", "", "", "8", "雅间", ""}));
    const TableBoard::Item c = itemIn(items, QStringLiteral("C"));
    QCOMPARE(QStringList({c.stateText, c.amount, c.arrival, c.elapsed, c.guests, c.seats, c.room, c.note}),
             QStringList({"空闲", "", "", "", "", "4", "大厅", "靠窗"}));

    // An occupied table whose total is null shows nought.
    Restaurant(t).occupy(QStringLiteral("C"), Restaurant::kNow);
    t.exec(QStringLiteral("update cz set xfhj=null where czm='C'"));
    QCOMPARE(itemIn(board.refresh(), QStringLiteral("C")).amount, QStringLiteral("￥0.00"));
}

void TestTableBoard::refreshSeesChangesInPlace()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    TableBoard board(t.db);
    board.setRoom(QStringLiteral("大厅"));
    board.load(board.roomStatement());
    Restaurant(t).occupy(QStringLiteral("B"), Restaurant::kNow);
    const QList<TableBoard::Item> items = board.refresh();
    QCOMPARE(names(items), QStringList({"A", "B", "C"}));
    QCOMPARE(items.at(1).state, State::Occupied);
    QCOMPARE(board.statement(), QStringLiteral("select * from cz where fjm like '大厅'"));
}

void TestTableBoard::failingStatementReportsAndLeavesNothing()
{
    TestDatabase t;
    TableBoard board(t.db);
    QVERIFY(board.load(QStringLiteral("select * from nosuchtable")).isEmpty());
    QCOMPARE(t.prompt.texts(), QStringList({"ADO Error: no such table: nosuchtable"}));
}

// Tables: A free, B occupied, C booked for shift 1 today, D booked for shift 1 tomorrow, E booked
// for shift 2 today, F occupied and booked, G in the other room booked for shift 1 today.
void TestTableBoard::filters_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<TableBoard::Filter>("filter");
    QTest::addColumn<QStringList>("tables");

    using F = TableBoard::Filter;
    QTest::newRow("全部") << "%" << F::All << QStringList({"A", "B", "C", "D", "E", "F", "G"});
    QTest::newRow("可供") << "%" << F::Available << QStringList({"A", "D", "E"});
    QTest::newRow("占用") << "%" << F::Occupied << QStringList({"B", "C", "F", "G"});
    QTest::newRow("预订") << "%" << F::Reserved << QStringList({"C", "G"});
    QTest::newRow("雅间 全部") << "雅间" << F::All << QStringList({"G"});
    QTest::newRow("大厅 预订") << "大厅" << F::Reserved << QStringList({"C"});
    QTest::newRow("大厅 可供") << "大厅" << F::Available << QStringList({"A", "D", "E"});
}

void TestTableBoard::filters()
{
    QFETCH(QString, room);
    QFETCH(TableBoard::Filter, filter);
    QFETCH(QStringList, tables);

    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Restaurant(t).table(QLatin1String(name));
    Restaurant(t).table(QStringLiteral("G"), QStringLiteral("雅间"));
    const QDateTime today(QDate(2026, 12, 6), QTime(13, 0));
    Restaurant(t).occupy(QStringLiteral("B"), Restaurant::kNow);
    Restaurant(t).occupy(QStringLiteral("F"), Restaurant::kNow);
    Restaurant(t).book(QStringLiteral("1"), QStringLiteral("C"), 1, today);
    Restaurant(t).book(QStringLiteral("2"), QStringLiteral("D"), 1, today.addDays(1));
    Restaurant(t).book(QStringLiteral("3"), QStringLiteral("E"), 2, today.addSecs(4 * 3600));
    Restaurant(t).book(QStringLiteral("4"), QStringLiteral("F"), 1, today);
    Restaurant(t).book(QStringLiteral("5"), QStringLiteral("G"), 1, today);

    TableBoard board(t.db);
    board.setRoom(room);
    const QString statement = board.filterStatement(filter);
    QVERIFY(
        statement.startsWith(QStringLiteral("select * from cz where fjm like '") + room + QLatin1Char('\'')));
    QCOMPARE(names(board.load(statement)), tables);
    QCOMPARE(board.statement(), statement);
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableBoard::shiftOfDay_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("shift");
    QTest::newRow("midnight") << QTime(0, 0) << 0;
    QTest::newRow("09:59:59") << QTime(9, 59, 59) << 0;
    QTest::newRow("10:00:00") << QTime(10, 0, 0) << 1;
    QTest::newRow("14:59:59") << QTime(14, 59, 59) << 1;
    QTest::newRow("15:00:00") << QTime(15, 0, 0) << 2;
    QTest::newRow("20:59:59") << QTime(20, 59, 59) << 2;
    QTest::newRow("21:00:00") << QTime(21, 0, 0) << 3;
    QTest::newRow("23:59:59") << QTime(23, 59, 59) << 3;
}

void TestTableBoard::shiftOfDay()
{
    QFETCH(QTime, time);
    QFETCH(int, shift);
    QCOMPARE(TableBoard::shiftOfDay(time), shift);
}

void TestTableBoard::quickFind()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A1", "A2", "B1"})
        Restaurant(t).table(QLatin1String(name));
    TableBoard board(t.db);

    const auto found = board.quickFind(QStringLiteral("A'1"));
    QVERIFY(found);
    QCOMPARE(found->name, QStringLiteral("A1"));
    QVERIFY(t.prompt.texts().isEmpty());
    QCOMPARE(names(board.load(found->statement)), QStringList({"A1"}));

    QVERIFY(!board.quickFind(QStringLiteral("A")));
    QCOMPARE(t.prompt.texts(), QStringList({"没有发现指定餐桌,请确认是否输入正确!"}));
}

void TestTableBoard::elapsedText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("just now") << 0 << "0小时0分";
    QTest::newRow("59 s") << 59 << "0小时0分";
    QTest::newRow("59 min 59 s") << 3599 << "0小时59分";
    QTest::newRow("2 h 5 min") << 2 * 3600 + 5 * 60 << "2小时5分";
    QTest::newRow("a day and 1 min") << 24 * 3600 + 60 << "24小时1分";
}

void TestTableBoard::elapsedText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(TableBoard::elapsedText(Restaurant::kNow.addSecs(-seconds), Restaurant::kNow), text);
}

void TestTableBoard::elapsedUpdateWritesEveryOpenTable()
{
    TestDatabase t;
    Restaurant(t).shifts();
    for (const char* name : {"A", "B", "C"})
        Restaurant(t).table(QLatin1String(name));
    Restaurant(t).occupy(QStringLiteral("A"), Restaurant::kNow.addSecs(-(2 * 3600 + 5 * 60)));
    Restaurant(t).occupy(QStringLiteral("C"), Restaurant::kNow.addSecs(-90));
    TableBoard board(t.db);
    board.load(TableBoard::kStartStatement);

    board.updateElapsed();
    const QList<TableBoard::Item> items = board.refresh();
    QCOMPARE(items.at(0).elapsed, QStringLiteral("2小时5分"));
    QCOMPARE(items.at(1).elapsed, QString());
    QCOMPARE(items.at(2).elapsed, QStringLiteral("0小时1分"));
    QCOMPARE(t.scalar(QStringLiteral("select yysj from cz where czm='A'")), QStringLiteral("2小时5分"));
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableBoard::commands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<int>("selected"); // -1 none, else a State
    QTest::addColumn<bool>("yes");
    QTest::addColumn<Command>("result");
    QTest::addColumn<QStringList>("messages");

    const int occupied = int(State::Occupied), free = int(State::Free), reserved = int(State::Reserved);
    QTest::newRow("add: no right") << "add" << false << occupied << false << Command::None
                                   << QStringList({"你没有此操作权限!"});
    QTest::newRow("add: nothing selected")
        << "add" << true << -1 << false << Command::None << QStringList({"请选定餐桌!"});
    QTest::newRow("add: occupied") << "add" << true << occupied << false << Command::AddConsumption
                                   << QStringList();
    QTest::newRow("add: free, yes") << "add" << true << free << true << Command::OpenTable
                                    << QStringList({"此餐桌未开单,是否开单?"});
    QTest::newRow("add: reserved, no")
        << "add" << true << reserved << false << Command::None << QStringList({"此餐桌未开单,是否开单?"});
    QTest::newRow("checkout: no right")
        << "checkout" << false << occupied << false << Command::None << QStringList({"你没有此操作权限!"});
    QTest::newRow("checkout: nothing selected")
        << "checkout" << true << -1 << false << Command::None << QStringList({"请选定餐桌!"});
    QTest::newRow("checkout: free") << "checkout" << true << free << false << Command::None
                                    << QStringList({"此餐桌未开单!"});
    QTest::newRow("checkout: occupied")
        << "checkout" << true << occupied << false << Command::Checkout << QStringList();
    QTest::newRow("reserve: no right")
        << "reserve" << false << -1 << false << Command::None << QStringList({"你没有此操作权限!"});
    QTest::newRow("reserve") << "reserve" << true << -1 << false << Command::Reserve << QStringList();
    QTest::newRow("change registration: none")
        << "registration" << true << -1 << false << Command::None << QStringList({"请选定餐桌!"});
    QTest::newRow("change registration: reserved")
        << "registration" << true << reserved << false << Command::None << QStringList({"此餐桌未开单!"});
    QTest::newRow("change registration: occupied")
        << "registration" << true << occupied << false << Command::ChangeRegistration << QStringList();
    QTest::newRow("change table: none")
        << "table" << true << -1 << false << Command::None << QStringList({"请选定占用餐桌!"});
    QTest::newRow("change table: free")
        << "table" << true << free << false << Command::None << QStringList({"请选定占用餐桌!"});
    QTest::newRow("change table: occupied")
        << "table" << true << occupied << false << Command::ChangeTable << QStringList();
}

void TestTableBoard::commands()
{
    QFETCH(QString, command);
    QFETCH(bool, allowed);
    QFETCH(int, selected);
    QFETCH(bool, yes);
    QFETCH(Command, result);
    QFETCH(QStringList, messages);

    TestDatabase t;
    t.prompt.answer(yes ? Prompt::Answer::Yes : Prompt::Answer::No);
    TableBoard board(t.db);
    TableBoard::Item item;
    item.name = QStringLiteral("A");
    item.state = State(selected < 0 ? 0 : selected);
    const TableBoard::Item* chosen = selected < 0 ? nullptr : &item;

    Command got = Command::None;
    if (command == QLatin1String("add"))
        got = board.addConsumption(allowed, chosen);
    else if (command == QLatin1String("checkout"))
        got = board.checkout(allowed, chosen);
    else if (command == QLatin1String("reserve"))
        got = board.reserve(allowed);
    else if (command == QLatin1String("registration"))
        got = board.changeRegistration(chosen);
    else
        got = board.changeTable(chosen);
    QCOMPARE(got, result);
    QCOMPARE(t.prompt.texts(), messages);
    for (const ScriptedPrompt::Shown& shown : t.prompt.shown())
        QCOMPARE(shown.caption, QStringLiteral("提示信息"));
}

void TestTableBoard::enterOpensOrChecksOut()
{
    TableBoard::Item item;
    item.state = State::Occupied;
    QCOMPARE(TableBoard::activate(item), Command::Checkout);
    item.state = State::Free;
    QCOMPARE(TableBoard::activate(item), Command::OpenTable);
    item.state = State::Reserved;
    QCOMPARE(TableBoard::activate(item), Command::OpenTable);
}

PELVAR_TEST(TestTableBoard)
#include "tst_TableBoard.moc"
