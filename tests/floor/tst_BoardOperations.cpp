#include "CDownView.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "FixedClockTest.h"
#include "ReservationChoice.h"
#include "Restaurant.h"
#include "RoomSummary.h"
#include "TableLines.h"
#include "TableOpening.h"
#include "TestMain.h"

#include <QTest>

using State = TableBoard::State;
using Command = TableBoard::Command;
using Filter = TableBoard::Filter;
Q_DECLARE_METATYPE(TableBoard::Filter)
Q_DECLARE_METATYPE(TableBoard::Command)

namespace {

TableBoard::Item item(const QString& name, char state = 'f')
{
    TableBoard::Item i;
    i.name = name;
    i.state = state == 'o' ? State::Occupied : state == 'r' ? State::Reserved : State::Free;
    return i;
}

QString names(const QList<TableBoard::Item>& items)
{
    QString out;
    for (const TableBoard::Item& item : items)
        out += item.name;
    return out;
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
    // Table, shift, days from today (hours for shift 2), state.
    for (const char* text :
         {"C 1 0 已订", "D 1 1 已订", "E 2 4 已订", "F 1 0 已订", "G 1 0 已订", "H 1 0 取消", "I 1 0 到达"}) {
        const QStringList f = QString::fromUtf8(text).split(' ');
        const QDateTime at = f.at(1) == "2" ? today.addSecs(4 * 3600) : today.addDays(f.at(2).toInt());
        r.book("B-" + f.at(0), f.at(0), f.at(1).toInt(), at, f.at(3));
    }
    t.exec("update cz set bz='靠窗', yysj='0小时5分' where czm in ('A','B')");
}

// Registrations "djbh czm fjm rs zdbh zdbj bz fws jdsj" / tables "zyzt jdsj yzrs bz" (and the
// customer columns, emptied by opening).
QString opened(TestDatabase& t, const QString& tables)
{
    return t.scalar(
               "select group_concat(djbh||' '||czm||' '||fjm||' '||rs||' '||zdbh||' '||zdbj||' '||bz||' '||"
               "fws||' '||jdsj, ';') from (select * from dj where czm in(" +
               tables + ") order by djbh)") +
           " / " +
           t.scalar(
               "select group_concat(zyzt||' '||jdsj||' '||yzrs||' '||bz||gkxm||gkdh||gksj, ';') from (select "
               "* from cz where czm in(" +
               tables + ") order by id)");
}

} // namespace

class TestBoardOperations : public FixedClockTest
{
    Q_OBJECT
private slots:
    void statesColumnsAndCounts();
    void filters_data();
    void filters();
    void lapsedBookings_data();
    void lapsedBookings();
    void quickFindAndElapsedTime();
    void commands_data();
    void commands();
    void lines();
    void plan_data();
    void plan();
    void openAloneOrAsAGroup();
    void openingsWithinOneSecond();
    void nothingOpensWhenATableIsTakenOrAWriteFails();
    void reservationChoice_data();
    void reservationChoice();
    void changeRegistration();
};

// The board's states and columns, and the rooms pane's counts, for the shift running now (12:30
// is in shift 1, 17:00 in shift 2).
void TestBoardOperations::statesColumnsAndCounts()
{
    TestDatabase t;
    const auto counts = [&t] {
        const RoomSummary::Counts c = RoomSummary(t.db).counts();
        return QStringLiteral("%1 %2 %3 %4 ").arg(c.total).arg(c.occupied).arg(c.available).arg(c.reserved) +
               c.rate;
    };
    QCOMPARE(counts(), QStringLiteral("0 0 0 0 100%"));
    bookedRestaurant(t);
    TableBoard board(t.db);
    const QList<TableBoard::Item> items = board.load(TableBoard::kStartStatement);
    QString states;
    for (const TableBoard::Item& i : items)
        states += i.name + "ofr"[int(i.state)];
    QCOMPARE(states, QStringLiteral("AfBoCrDfEfFoHfIfGr"));
    QStringList columns;
    for (const TableBoard::Item& i : {items.at(0), items.at(1), items.at(8)})
        columns << QStringList(
                       {i.stateText, i.amount, i.arrival, i.elapsed, i.guests, i.seats, i.room, i.note})
                       .join('|');
    QCOMPARE(columns,
             QStringList({"空闲|||||4|大厅|靠窗", "占用|￥12.50|2026-12-06 12:25:00|0小时5分|3|4|大厅|靠窗",
                          "预订||2026-12-06 13:05:09|||8|雅间|"}));
    QCOMPARE(counts(), QStringLiteral("9 2 5 2 44.44%"));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(17, 0)));
    QCOMPARE(counts(), QStringLiteral("9 2 6 1 33.33%"));
    // The refresh runs the same statement again: a table opened since, a null total as nought.
    Restaurant(t).occupy("A", Restaurant::kNow);
    t.exec("update cz set xfhj=null where czm='A'");
    QCOMPARE(board.refresh().at(0).amount, QStringLiteral("￥0.00"));
    // The shifts decide, not fixed times of day: with no shift running, no table is reserved.
    t.exec("delete from yybc where yybcbh=2");
    QCOMPARE(counts(), QStringLiteral("9 3 6 0 33.33%"));
    QCOMPARE(names(board.load(board.filterStatement(Filter::Reserved))), QString());
}

void TestBoardOperations::filters_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QString>("tables");
    QTest::newRow("全部") << "%" << Filter::All << QStringLiteral("ABCDEFHIG");
    QTest::newRow("可供") << "%" << Filter::Available << QStringLiteral("ADEHI");
    QTest::newRow("占用") << "%" << Filter::Occupied << QStringLiteral("BCFG");
    QTest::newRow("预订") << "%" << Filter::Reserved << QStringLiteral("CG");
    QTest::newRow("大厅 预订") << "大厅" << Filter::Reserved << QStringLiteral("C");
}

void TestBoardOperations::filters()
{
    QFETCH(QString, room);
    QFETCH(Filter, filter);
    QFETCH(QString, tables);
    TestDatabase t;
    bookedRestaurant(t);
    TableBoard board(t.db);
    board.setRoom(room);
    const QString statement = board.filterStatement(filter);
    QVERIFY(statement.startsWith("select * from cz where fjm like '" + room + '\''));
    const QString loaded = names(board.load(statement)); // and kept for the refresh
    QCOMPARE(loaded + (board.statement() == statement ? "" : " not kept"), tables);
}

// C's and G's bookings hold their tables until 13:35:09 (half an hour after the arrival), then lapse:
// the board, its 预订 filter and the counts show the tables free.
void TestBoardOperations::lapsedBookings_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("board"); // states | the 预订 filter | the counts
    QTest::newRow("at the hold-until time") << QTime(13, 35, 9) << "AfBoCrDfEfFoHfIfGr|CG|9 2 5 2 44.44%";
    QTest::newRow("a second later") << QTime(13, 35, 10) << "AfBoCfDfEfFoHfIfGf||9 2 7 0 22.22%";
}

void TestBoardOperations::lapsedBookings()
{
    QFETCH(QTime, now);
    TestDatabase t;
    bookedRestaurant(t);
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), now));
    TableBoard board(t.db);
    QString states;
    for (const TableBoard::Item& i : board.load(TableBoard::kStartStatement))
        states += i.name + "ofr"[int(i.state)];
    const RoomSummary::Counts c = RoomSummary(t.db).counts();
    QTEST(states + '|' + names(board.load(board.filterStatement(Filter::Reserved))) + '|' +
              QStringLiteral("%1 %2 %3 %4 ").arg(c.total).arg(c.occupied).arg(c.available).arg(c.reserved) +
              c.rate,
          "board");
}

// Quick find drops quotes; the elapsed time of every occupied table is written "%d小时%d分" in
// whole minutes, and a table without a readable arrival is left as it was.
void TestBoardOperations::quickFindAndElapsedTime()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E"});
    TableBoard board(t.db);
    QCOMPARE(names(board.load(board.quickFind(QStringLiteral("A'")).value().statement)), QStringLiteral("A"));
    QVERIFY(!board.quickFind(QStringLiteral("Z")));
    QCOMPARE(t.prompt.texts(), QStringList({"没有发现指定餐桌,请确认是否输入正确!"}));
    r.occupy("A", Restaurant::kNow.addSecs(-(2 * 3600 + 5 * 60)));
    r.occupy("C", Restaurant::kNow.addSecs(-119));
    r.occupy("D", Restaurant::kNow.addSecs(-(24 * 3600 + 60)));
    r.occupy("E", Restaurant::kNow);
    t.exec("update cz set jdsj='坏', yysj='旧' where czm='E'");
    board.updateElapsed();
    QCOMPARE(t.scalar("select group_concat(yysj,',') from cz where zyzt='占用'"),
             "2小时5分,0小时1分,24小时1分,旧");
}

// The command on the selected table (o occupied, f free, r reserved, none); "-" without the
// right; "yes" answers the question.
void TestBoardOperations::commands_data()
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
    QTest::newRow("checkout: no right") << "checkout - o" << Command::None << noRight;
    QTest::newRow("checkout: free") << "checkout f" << Command::None << notOpen;
    QTest::newRow("checkout: occupied") << "checkout o" << Command::Checkout << QString();
    QTest::newRow("reserve") << "reserve" << Command::Reserve << QString();
    QTest::newRow("registration: reserved") << "registration r" << Command::None << notOpen;
    QTest::newRow("registration: occupied") << "registration o" << Command::ChangeRegistration << QString();
    QTest::newRow("table: none") << "table" << Command::None << occupiedOnly;
    QTest::newRow("table: occupied") << "table o" << Command::ChangeTable << QString();
}

void TestBoardOperations::commands()
{
    QFETCH(QString, entry);
    QFETCH(Command, result);
    QFETCH(QString, message);
    const QStringList a = entry.split(QLatin1Char(' '));
    const QString command = a.at(0);
    const bool allowed = !a.contains(QStringLiteral("-"));
    const QString state = a.value(allowed ? 1 : 2);
    TestDatabase t;
    t.prompt.answer(a.contains(QStringLiteral("yes")) ? Prompt::Answer::Yes : Prompt::Answer::No);
    TableBoard board(t.db);
    const TableBoard::Item table = item(QStringLiteral("A"), state.isEmpty() ? 'f' : state.at(0).toLatin1());
    const TableBoard::Item* chosen = state.isEmpty() ? nullptr : &table;
    const Command got = command == "add"            ? board.addConsumption(allowed, chosen)
                        : command == "checkout"     ? board.checkout(allowed, chosen)
                        : command == "reserve"      ? board.reserve(allowed)
                        : command == "registration" ? board.changeRegistration(chosen)
                                                    : board.changeTable(chosen);
    QCOMPARE(got, result);
    QCOMPARE(t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

// The open lines of a table in order of time, each number with two decimals, then the totals.
void TestBoardOperations::lines()
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
                     .join('|');
    QCOMPARE(shown, QStringList({"1|米饭|1.00|2.00|1.00|0.00|2.00|王芳|2026-12-06 12:00:00",
                                 "2|宫保鸡丁|2.00|28.00|0.90|5.60|50.40|王芳|2026-12-06 12:10:00",
                                 "3|宫保鸡丁(退)|-1.00|28.00|0.00|0.00|-28.00|李强|2026-12-06 12:20:00",
                                 "4|果盘(赠)|1.00|18.00|0.00|18.00|0.00|李强|2026-12-06 12:30:00",
                                 "合计|||||￥23.60|￥24.40||"}));
    // The pane marks returns red and gifts orange.
    DefaultPrinter printer;
    CDownView pane(t.db, t.prompt, printer);
    pane.load(QStringLiteral("A"));
    QStringList colours;
    for (int row = 0; row < 4; ++row)
        colours << pane.list()->model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>().name();
    QCOMPARE(colours.join(' '), "#000000 #000000 #ff0000 #ff9900");
}

// The checks before the open-table dialog, on the states of the selected tables A, B, C...; then
// the guests typed in it.
void TestBoardOperations::plan_data()
{
    QTest::addColumn<QString>("selected"); // o occupied, f free, r reserved; "-" without the right
    QTest::addColumn<QString>("outcome");  // the message, or the plan's note; "?" for the choice
    QTest::newRow("no right") << "-f" << QStringLiteral("你没有此操作权限!");
    QTest::newRow("nothing selected") << "" << QStringLiteral("请选定餐桌!");
    QTest::newRow("first occupied") << "of" << QStringLiteral("此餐桌已被占用!");
    QTest::newRow("another occupied") << "fo" << QStringLiteral("此餐桌正在使用!");
    QTest::newRow("one free table") << "f" << QString();
    QTest::newRow("a group") << "ffr" << QStringLiteral("团体开单:A,B,C");
    QTest::newRow("reserved first") << "rf" << QStringLiteral("?");
}

void TestBoardOperations::plan()
{
    QFETCH(QString, selected);
    QFETCH(QString, outcome);
    TestDatabase t;
    QList<TableBoard::Item> items;
    QStringList tables;
    const QString states = QString(selected).remove('-');
    for (const QChar c : states) {
        tables << QString(QChar(u'A' + int(items.size())));
        items << item(tables.last(), c.toLatin1());
    }
    TableOpening opening(t.db);
    const auto plan = opening.plan(!selected.startsWith('-'), items);
    QCOMPARE(plan ? (plan->needsReservationChoice ? QStringLiteral("?") : plan->note)
                  : t.prompt.texts().join('|'),
             outcome);
    if (plan)
        QCOMPARE(plan->tables, plan->needsReservationChoice ? tables.mid(0, 1) : tables);
    t.prompt.clear();
    for (const char* text : {"0", "1001", "-3", "", "4人", "1.5"})
        QVERIFY(!opening.guests(QString::fromUtf8(text)));
    QCOMPARE(opening.guests("1").value_or(0) + opening.guests(" 1000 ").value_or(0), 1001);
    QCOMPARE(t.prompt.texts(), QStringList(6, QStringLiteral("顾客人数必须是1到1000之间的整数!")));
}

// Alone, a table is its own main table; a group's tables take the main number followed by their
// place, in the order of selection. Quotes are stored as typed.
void TestBoardOperations::openAloneOrAsAGroup()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "C", "D", "E"});
    r.table(QStringLiteral("B"), QStringLiteral("雅间"));
    t.exec("update cz set gkxm='旧客',gkdh='123',gksj='x' where czm='E'");
    TableOpening opening(t.db);
    QCOMPARE(opening.open(opening.planReserved({"E"}, {}), 4, QStringLiteral("O'Neil"), 7), "20261206123000");
    QCOMPARE(opened(t, "'E'"), "20261206123000 E 大厅 4 20261206123000 y O'Neil 7 2026-12-06 12:30:00 / "
                               "占用 2026-12-06 12:30:00 4 O'Neil");
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    const auto plan = opening.plan(true, {item("C"), item("A"), item("B")});
    QCOMPARE(opening.open(*plan, 6, plan->note, 0), "20261206123100");
    const QString group = QStringLiteral(" 6 20261206123100 %1 团体开单:C,A,B 0 2026-12-06 12:31:00");
    const QString table = QStringLiteral("占用 2026-12-06 12:31:00 6 团体开单:C,A,B;");
    QCOMPARE(opened(t, "'A','B','C','D'"), "20261206123100 C 大厅" + group.arg('y') +
                                               ";202612061231001 A 大厅" + group.arg('n') +
                                               ";202612061231002 B 雅间" + group.arg('n') + " / " + table +
                                               table + "空闲   ;" + table.chopped(1));
}

// Openings within one second take the next free second, so none fails for its number.
void TestBoardOperations::openingsWithinOneSecond()
{
    TestDatabase t;
    Restaurant(t).tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E", "F"});
    TableOpening opening(t.db);
    const auto open = [&opening](const QStringList& tables) {
        return opening.open(opening.planReserved(tables, {}), 2, QString(), 0);
    };
    QStringList numbers{open({"A", "B", "C"})};
    numbers << open({"D"}) << open({"E", "F"});
    QCOMPARE(numbers.join(' '), "20261206123000 20261206123001 20261206123002");
    QCOMPARE(t.scalar("select djbh||' '||zdbh from dj where czm='F'"), "202612061230021 20261206123002");
    // A later second that is still free is the opening time itself.
    Clock::setFixed(Restaurant::kNow.addSecs(60));
    t.exec("delete from dj where czm='D'");
    t.exec("update cz set zyzt='空闲' where czm='D'");
    QCOMPARE(open({"D"}), "20261206123100");
}

// The board showed B free, but another command opened it since; or a write fails after the
// first: no table opens and no booking is marked.
void TestBoardOperations::nothingOpensWhenATableIsTakenOrAWriteFails()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B", "C"});
    const int booking = r.book("1", "A", 1, QDateTime(QDate(2026, 12, 6), QTime(13, 0)));
    TableOpening opening(t.db);
    const auto plan = opening.planReserved({"A", "B", "C"}, {booking});
    r.open({"B"}, Restaurant::kNow.addSecs(-60));
    QCOMPARE(opening.open(plan, 2, plan.note, 0), QString());
    t.exec("delete from dj");
    t.exec("update cz set zyzt='空闲'");
    t.exec("create trigger refuse before update on cz when new.czm='B' begin select raise(abort,'x'); end");
    QCOMPARE(opening.open(plan, 3, QString(), 0), QString());
    QCOMPARE(t.prompt.texts(), QStringList({"此餐桌已被占用!", "开单发生异常,开单失败!"}));
    QCOMPARE(t.scalar("select count(*) from dj") + t.scalar("select count(*) from cz where zyzt='占用'") +
                 t.scalar("select zt from yd"),
             "00已订");
}

// A's booking "live" holds A, B (occupied) and C (arrived) for shift 1 today; A has other bookings
// too. The tables ticked in the choice open as one group and their rows are marked arrived.
void TestBoardOperations::reservationChoice_data()
{
    QTest::addColumn<QString>("choice"); // the reserved table; the tables offered; those ticked
    QTest::addColumn<QString>("message");
    QTest::newRow("A, B occupied") << "A AB AB" << QStringLiteral("餐桌:B正在使用,请取消该餐桌!");
    QTest::newRow("B, A ticked") << "B AB A" << QString();
    QTest::newRow("B, B freed, both ticked") << "B AB AB" << QString();
    QTest::newRow("arrived table") << "C - -" << QStringLiteral("未选定餐桌!");
    QTest::newRow("only booked tomorrow") << "D - -" << QStringLiteral("未选定餐桌!");
}

void TestBoardOperations::reservationChoice()
{
    QFETCH(QString, choice);
    QFETCH(QString, message);
    const QStringList a = choice.split(QLatin1Char(' '));
    TestDatabase t;
    Restaurant r(t);
    r.shifts();
    r.tables(QStringLiteral("大厅"), {"A", "B", "C", "D", "E"});
    if (!QByteArray(QTest::currentDataTag()).contains("freed"))
        r.occupy("B", Restaurant::kNow);
    const QDateTime at(QDate(2026, 12, 6), QTime(13, 5, 7));
    // Booking number, table, shift, state; tomorrow's on the next day, tonight's five hours later.
    for (const char* text :
         {"cancelled A 1 取消", "live A 1 已订", "live B 1 已订", "live C 1 到达", "tomorrow A 1 已订",
          "tomorrow D 1 已订", "tonight A 2 已订", "tonight E 2 已订"}) {
        const QStringList f = QString::fromUtf8(text).split(' ');
        r.book(f.at(0), f.at(1), f.at(2).toInt(),
               f.at(0) == "tomorrow" ? at.addDays(1) : at.addSecs(f.at(2) == "2" ? 18000 : 0), f.at(3));
    }
    ReservationChoice reservations(t.db, a.at(0));
    QString offered;
    QList<ReservationChoice::Row> ticked;
    for (const ReservationChoice::Row& row : reservations.rows()) {
        offered += row.table;
        if (a.at(2).contains(row.table))
            ticked << row;
    }
    QCOMPARE(offered.isEmpty() ? "-" : offered, a.at(1));
    QCOMPARE(reservations.accept(ticked), message.isEmpty());
    QCOMPARE(t.prompt.texts().join('|'), message);
    if (!message.isEmpty())
        return;
    TableOpening opening(t.db);
    const TableOpening::Plan group = opening.planReserved(reservations.tables(), reservations.ids());
    QVERIFY(!opening.open(group, 5, group.note, 0).isEmpty());
    const bool alone = a.at(2) == "A";
    QCOMPARE(t.scalar("select group_concat(czm||zdbj||bz) from dj"),
             alone ? "Ay" : "Ay团体开单:A,B,Bn团体开单:A,B");
    QCOMPARE(t.scalar("select group_concat(czmc||zt) from yd where ydbh='live'"),
             alone ? "A到达,B已订,C到达" : "A到达,B到达,C到达");
}

// 修改登记 changes guests, note and waiter of the table's open registration, and the table's
// guests; arrival, consumption, the table's note and the group's other tables stay.
void TestBoardOperations::changeRegistration()
{
    TestDatabase t;
    Restaurant r(t);
    r.tables(QStringLiteral("大厅"), {"A", "B"});
    TableOpening opening(t.db);
    const QString number = opening.open(opening.planReserved({"A", "B"}, {}), 2, QStringLiteral("靠窗"), 1);
    r.line("A", "米饭", 1, 2);
    const auto before = opening.registration(QStringLiteral("A"));
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(before->guests).arg(before->note).arg(before->waiter),
             "2 靠窗 1");
    QVERIFY(!opening.registration(QStringLiteral("C")));
    Clock::setFixed(Restaurant::kNow.addSecs(3600));
    QVERIFY(opening.change(QStringLiteral("A"), 5, QStringLiteral("生日'宴"), 2));
    // The registration query's waiter dialog sets one registration's waiter.
    QVERIFY(opening.setWaiter(number + "1", 3));
    QCOMPARE(opened(t, "'A','B'"), number + " A 大厅 5 " + number + " y 生日'宴 2 2026-12-06 12:30:00;" +
                                       number + "1 B 大厅 2 " + number +
                                       " n 靠窗 3 2026-12-06 12:30:00 / 占用 2026-12-06 12:30:00 5 "
                                       "靠窗;占用 2026-12-06 12:30:00 2 靠窗");
    QCOMPARE(t.scalar("select xfhj from cz where czm='A'") + t.scalar("select xfhj from dj where czm='A'"),
             "22");
    t.exec("create trigger refuse before update on cz begin select raise(abort,'x'); end");
    QVERIFY(!opening.change(QStringLiteral("A"), 9, QStringLiteral("新备注"), 0));
    QCOMPARE(t.prompt.texts(), QStringList({"修改登记发生异常,修改失败!"}));
    QCOMPARE(t.scalar("select rs||bz from dj where czm='A'"), QStringLiteral("5生日'宴"));
}

PELVAR_TEST(TestBoardOperations)
#include "tst_BoardOperations.moc"
