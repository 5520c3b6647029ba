#include "Clock.h"
#include "Restaurant.h"
#include "RoomSummary.h"
#include "TableBoard.h"
#include "TableLines.h"
#include "TestMain.h"

#include <QTest>

using State = TableBoard::State;
using Command = TableBoard::Command;
using Filter = TableBoard::Filter;
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

QString columns(const TableBoard::Item& i)
{
    return QStringList({i.stateText, i.amount, i.arrival, i.elapsed, i.guests, i.seats, i.room, i.note})
        .join(QLatin1Char('|'));
}

QString countsOf(TestDatabase& t)
{
    const RoomSummary::Counts c = RoomSummary(t.db).counts();
    return QStringLiteral("%1 %2 %3 %4 ").arg(c.total).arg(c.occupied).arg(c.available).arg(c.reserved) +
           c.rate;
}

// Tables: A free, B occupied, C booked for shift 1 today, D booked for shift 1 tomorrow, E booked
// for shift 2 today, F occupied and booked, G in 雅间 booked for shift 1 today; H booked but the
// booking was cancelled, I booked and the guests arrived. Now is 12:30, in shift 1.
void bookedRestaurant(TestDatabase& t)
{
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E", "F", "H", "I"});
    r.table(QStringLiteral("G"), QStringLiteral("雅间"), 8);
    const QDateTime today(QDate(2026, 12, 6), QTime(13, 5, 9));
    r.occupy("B", QDateTime(QDate(2026, 12, 6), QTime(12, 25, 0)), 12.5);
    r.occupy("F", Restaurant::kNow);
    r.book("1", "C", 1, today);
    r.book("2", "D", 1, today.addDays(1));
    r.book("3", "E", 2, today.addSecs(4 * 3600));
    r.book("4", "F", 1, today);
    r.book("5", "G", 1, today);
    r.book("6", "H", 1, today, "取消");
    r.book("7", "I", 1, today, "到达");
    t.exec("update cz set bz='靠窗', yysj='0小时5分' where czm in ('A','B')");
}

} // namespace

class TestTableBoard : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(Restaurant::kNow); }
    void cleanup() { Clock::clearFixed(); }

    void statesAndColumns();
    void filters_data();
    void filters();
    void failingStatementReportsAndLeavesNothing();
    void quickFind();
    void elapsedTime();
    void commands_data();
    void commands();
    void counts();
    void lines();
};

void TestTableBoard::statesAndColumns()
{
    TestDatabase t;
    bookedRestaurant(t);
    TableBoard board(t.db);
    const QList<TableBoard::Item> items = board.load(TableBoard::kStartStatement);
    QCOMPARE(names(items), QStringList({"A", "B", "C", "D", "E", "F", "H", "I", "G"}));
    const State states[] = {State::Free,     State::Occupied, State::Reserved, State::Free,    State::Free,
                            State::Occupied, State::Free,     State::Free,     State::Reserved};
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(items.at(i).state, states[i]);
    QCOMPARE(columns(items.at(0)), QStringLiteral("空闲|||||4|大厅|靠窗"));
    QCOMPARE(columns(items.at(1)), QStringLiteral("占用|￥12.50|2026-12-06 12:25:00|0小时5分|3|4|大厅|靠窗"));
    QCOMPARE(columns(items.at(2)), QStringLiteral("预订||2026-12-06 13:05:09|||4|大厅|"));
    QCOMPARE(columns(items.at(8)), QStringLiteral("预订||2026-12-06 13:05:09|||8|雅间|"));
    QVERIFY(t.prompt.texts().isEmpty());

    // The refresh runs the same statement again: a table opened since, a null total as nought.
    Restaurant(t).occupy("A", Restaurant::kNow);
    t.exec("update cz set xfhj=null where czm='A'");
    QCOMPARE(board.refresh().at(0).amount, QStringLiteral("￥0.00"));
}

void TestTableBoard::filters_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("全部") << "%" << Filter::All << QStringList({"A", "B", "C", "D", "E", "F", "H", "I", "G"});
    QTest::newRow("可供") << "%" << Filter::Available << QStringList({"A", "D", "E", "H", "I"});
    QTest::newRow("占用") << "%" << Filter::Occupied << QStringList({"B", "C", "F", "G"});
    QTest::newRow("预订") << "%" << Filter::Reserved << QStringList({"C", "G"});
    QTest::newRow("雅间 全部") << "雅间" << Filter::All << QStringList({"G"});
    QTest::newRow("大厅 预订") << "大厅" << Filter::Reserved << QStringList({"C"});
}

void TestTableBoard::filters()
{
    QFETCH(QString, room);
    QFETCH(Filter, filter);
    QFETCH(QStringList, tables);
    TestDatabase t;
    bookedRestaurant(t);
    TableBoard board(t.db);
    board.setRoom(room);
    const QString statement = board.filterStatement(filter);
    QVERIFY(
        statement.startsWith(QStringLiteral("select * from cz where fjm like '") + room + QLatin1Char('\'')));
    QCOMPARE(names(board.load(statement)), tables);
    QCOMPARE(board.statement(), statement);
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestTableBoard::failingStatementReportsAndLeavesNothing()
{
    TestDatabase t;
    QVERIFY(TableBoard(t.db).load(QStringLiteral("select * from nosuchtable")).isEmpty());
    QCOMPARE(t.prompt.texts(), QStringList({"ADO Error: no such table: nosuchtable"}));
}

void TestTableBoard::quickFind()
{
    TestDatabase t;
    Restaurant(t).tables(QStringLiteral("大厅"), {"A1", "A2"});
    TableBoard board(t.db);
    const auto found = board.quickFind(QStringLiteral("A'1"));
    QCOMPARE(found->name, QStringLiteral("A1"));
    QCOMPARE(names(board.load(found->statement)), QStringList({"A1"}));
    QVERIFY(t.prompt.texts().isEmpty());
    QVERIFY(!board.quickFind(QStringLiteral("A")));
    QCOMPARE(t.prompt.texts(), QStringList({"没有发现指定餐桌,请确认是否输入正确!"}));
}

// "%d小时%d分" of every occupied table, whole minutes; a table without a readable arrival is left.
void TestTableBoard::elapsedTime()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E"});
    r.occupy("A", Restaurant::kNow.addSecs(-(2 * 3600 + 5 * 60)));
    r.occupy("C", Restaurant::kNow.addSecs(-119));
    r.occupy("D", Restaurant::kNow.addSecs(-(24 * 3600 + 60)));
    r.occupy("E", Restaurant::kNow);
    t.exec("update cz set jdsj='坏', yysj='旧' where czm='E'");
    TableBoard board(t.db);
    board.updateElapsed();
    QCOMPARE(t.scalar("select group_concat(yysj,',') from cz where zyzt='占用'"),
             QStringLiteral("2小时5分,0小时1分,24小时1分,旧"));
    QVERIFY(t.prompt.texts().isEmpty());
}

// The command on the selected table (o occupied, f free, r reserved, "" none); "-" without the
// right; "yes" answers the question.
void TestTableBoard::commands_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Command>("result");
    QTest::addColumn<QString>("message");
    const QString noRight = QStringLiteral("你没有此操作权限!"), none = QStringLiteral("请选定餐桌!");
    const QString notOpen = QStringLiteral("此餐桌未开单!"), offer = QStringLiteral("此餐桌未开单,是否开单?");
    const QString occupiedOnly = QStringLiteral("请选定占用餐桌!");
    QTest::newRow("add: no right") << "add - o" << Command::None << noRight;
    QTest::newRow("add: none") << "add" << Command::None << none;
    QTest::newRow("add: occupied") << "add o" << Command::AddConsumption << QString();
    QTest::newRow("add: free, yes") << "add f yes" << Command::OpenTable << offer;
    QTest::newRow("add: reserved, no") << "add r" << Command::None << offer;
    QTest::newRow("checkout: no right") << "checkout - o" << Command::None << noRight;
    QTest::newRow("checkout: none") << "checkout" << Command::None << none;
    QTest::newRow("checkout: free") << "checkout f" << Command::None << notOpen;
    QTest::newRow("checkout: occupied") << "checkout o" << Command::Checkout << QString();
    QTest::newRow("reserve: no right") << "reserve -" << Command::None << noRight;
    QTest::newRow("reserve") << "reserve" << Command::Reserve << QString();
    QTest::newRow("registration: none") << "registration" << Command::None << none;
    QTest::newRow("registration: reserved") << "registration r" << Command::None << notOpen;
    QTest::newRow("registration: occupied") << "registration o" << Command::ChangeRegistration << QString();
    QTest::newRow("table: none") << "table" << Command::None << occupiedOnly;
    QTest::newRow("table: free") << "table f" << Command::None << occupiedOnly;
    QTest::newRow("table: occupied") << "table o" << Command::ChangeTable << QString();
    QTest::newRow("enter: free") << "enter f" << Command::OpenTable << QString();
    QTest::newRow("enter: reserved") << "enter r" << Command::OpenTable << QString();
    QTest::newRow("enter: occupied") << "enter o" << Command::Checkout << QString();
}

void TestTableBoard::commands()
{
    QFETCH(QString, entry);
    QFETCH(Command, result);
    QFETCH(QString, message);
    const QStringList a = entry.split(QLatin1Char(' '));
    const QString command = a.at(0);
    const bool allowed = !a.contains(QStringLiteral("-"));
    TestDatabase t;
    t.prompt.answer(a.contains(QStringLiteral("yes")) ? Prompt::Answer::Yes : Prompt::Answer::No);
    TableBoard board(t.db);
    TableBoard::Item item;
    item.name = QStringLiteral("A");
    const QString state = a.value(allowed ? 1 : 2);
    item.state = state == "o" ? State::Occupied : state == "r" ? State::Reserved : State::Free;
    const TableBoard::Item* chosen = state.isEmpty() ? nullptr : &item;
    const Command got = command == "add"            ? board.addConsumption(allowed, chosen)
                        : command == "checkout"     ? board.checkout(allowed, chosen)
                        : command == "reserve"      ? board.reserve(allowed)
                        : command == "registration" ? board.changeRegistration(chosen)
                        : command == "table"        ? board.changeTable(chosen)
                                                    : TableBoard::activate(item);
    QCOMPARE(got, result);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    for (const ScriptedPrompt::Shown& shown : t.prompt.shown())
        QCOMPARE(shown.caption, QStringLiteral("提示信息"));
}

// The rooms pane's counts take the shift from the time of day (12:30 is shift 1, 17:00 shift 2).
void TestTableBoard::counts()
{
    TestDatabase t;
    QCOMPARE(countsOf(t), QStringLiteral("0 0 0 0 100%"));
    bookedRestaurant(t);
    QCOMPARE(countsOf(t), QStringLiteral("9 2 5 2 44.44%"));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(17, 0)));
    QCOMPARE(countsOf(t), QStringLiteral("9 2 6 1 33.33%"));
}

// The open lines of a table in order of time, each number with two decimals, then the totals.
void TestTableBoard::lines()
{
    TestDatabase t;
    t.exec("insert into xfmx(czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj,jzbj) values "
           "('A','宫保鸡丁','2',28,0.9,5.6,50.4,'王芳','2026-12-06 12:10:00','0'),"
           "('A','米饭',1,'2',1,0,2,'王芳','2026-12-06 12:00:00','0'),"
           "('A','宫保鸡丁',-1,28,0,0,-28,'李强','2026-12-06 12:20:00','0'),"
           "('A','果盘',1,18,0,18,0,'李强','2026-12-06 12:30:00','0'),"
           "('A','啤酒',1,8,1,0,8,'王芳','2026-12-06 11:00:00','1'),"
           "('B','啤酒',1,8,1,0,8,'王芳','2026-12-06 12:00:00','0')");
    QStringList shown;
    for (const TableLines::Line& l : TableLines(t.db).load(QStringLiteral("A")))
        shown << QStringList(
                     {l.number, l.item, l.quantity, l.price, l.ratio, l.discount, l.amount, l.clerk, l.time})
                     .join(QLatin1Char('|'));
    QCOMPARE(shown, QStringList({"1|米饭|1.00|2.00|1.00|0.00|2.00|王芳|2026-12-06 12:00:00",
                                 "2|宫保鸡丁|2.00|28.00|0.90|5.60|50.40|王芳|2026-12-06 12:10:00",
                                 "3|宫保鸡丁(退)|-1.00|28.00|0.00|0.00|-28.00|李强|2026-12-06 12:20:00",
                                 "4|果盘(赠)|1.00|18.00|0.00|18.00|0.00|李强|2026-12-06 12:30:00",
                                 "合计|||||￥23.60|￥24.40||"}));
    QCOMPARE(TableLines(t.db).load(QStringLiteral("O'Hara")).size(), 1);
    QVERIFY(t.prompt.texts().isEmpty());
}

PELVAR_TEST(TestTableBoard)
#include "tst_TableBoard.moc"
