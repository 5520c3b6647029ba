#include "RoomSettings.h"
#include "TableSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"
#include "WaiterPicker.h"
#include "WaiterSettings.h"

#include <QTest>

using TableInput = TableSettings::Input;
Q_DECLARE_METATYPE(TableSettings::Input)

namespace {

// Rooms 大厅 (一楼), 包间, 空房. Tables: A1 open now, A2 opened once and free again (both in 大厅),
// B1 in 包间, never opened. A registration and a booking name 大厅.
struct Floor
{
    Floor()
    {
        t.exec("insert into fj (fjm, csfy) values ('大厅', '一楼'), ('包间', ''), ('空房', '')");
        t.exec("insert into cz (czm, zzws, fjm, zyzt) values ('A1', 4, '大厅', '占用'), ('A2', 6, '大厅', "
               "'空闲'), "
               "('B1', 10, '包间', '空闲')");
        t.exec("insert into dj (djbh, czm, fjm, xfzt) values ('1', 'A1', '大厅', '占用'), ('2', 'A2', "
               "'大厅', '离店')");
        t.exec("insert into yd (ydbh, fjmc, czmc) values ('1', '大厅', 'A2')");
    }
    // Rooms as "name:note,...", tables as "name:seats:room,...", in order of number.
    QString rooms()
    {
        return t.scalar("select group_concat(fjm||':'||csfy) from (select * from fj order by id)");
    }
    QString tables()
    {
        return t.scalar("select group_concat(czm||':'||zzws||':'||fjm) from (select * from cz order by id)");
    }

    TestDatabase t;
    RoomSettings roomSettings{t.db, t.prompt};
    TableSettings tableSettings{t.db, t.prompt};
};

} // namespace

class TestFloorSettings : public QObject
{
    Q_OBJECT
private slots:
    void rooms_data();
    void rooms();
    void renameIsAllOrNothing();
    void tables_data();
    void tables();
    void batch_data();
    void batch();
    void waiters();
    void waiterPicker_data();
    void waiterPicker();
    void pickedWaiterStands();
};

const QString kRooms = QStringLiteral("大厅:一楼,包间:,空房:");
const QString kTables = QStringLiteral("A1:4:大厅,A2:6:大厅,B1:10:包间");

void TestFloorSettings::rooms_data()
{
    QTest::addColumn<QString>("command"); // "add name note", "change old name note", "remove name"
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("rooms");
    QTest::addColumn<QString>("tables");
    QTest::newRow("add") << "add|Joe's|it's '); drop table fj; --"
                         << "" << kRooms + ",Joe's:it's '); drop table fj; --" << kTables;
    QTest::newRow("add without name") << "add||x"
                                      << "请输入房间名" << kRooms << kTables;
    QTest::newRow("add existing") << "add|包间|x"
                                  << "已经存在此房间" << kRooms << kTables;
    // The room's tables follow the new name; registrations and bookings keep the old one.
    QTest::newRow("rename") << "change|大厅|正厅|新"
                            << ""
                            << "正厅:新,包间:,空房:"
                            << "A1:4:正厅,A2:6:正厅,B1:10:包间";
    QTest::newRow("rename to another's") << "change|大厅|包间|"
                                         << "已经存在此房间" << kRooms << kTables;
    QTest::newRow("rename to nothing") << "change|大厅||"
                                       << "请输入房间名" << kRooms << kTables;
    QTest::newRow("note only") << "change|包间|包间|二楼"
                               << ""
                               << "大厅:一楼,包间:二楼,空房:" << kTables;
    QTest::newRow("remove none") << "remove|"
                                 << "请选定要删除的房间!" << kRooms << kTables;
    QTest::newRow("remove with tables") << "remove|包间"
                                        << "此房间中已经设有餐桌,不能删除！" << kRooms << kTables;
    QTest::newRow("remove empty, no question") << "remove|空房"
                                               << ""
                                               << "大厅:一楼,包间:" << kTables;
}

void TestFloorSettings::rooms()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    QFETCH(QString, rooms);
    QFETCH(QString, tables);
    Floor f;
    const QStringList a = command.split(QLatin1Char('|'));
    bool done = false;
    if (a.at(0) == QLatin1String("add"))
        done = bool(f.roomSettings.add(a.at(1), a.at(2)));
    else if (a.at(0) == QLatin1String("change"))
        done = bool(f.roomSettings.change(a.at(1), a.at(2), a.at(3)));
    else
        done = f.roomSettings.remove(a.at(1));
    QCOMPARE(done, message.isEmpty());
    QCOMPARE(f.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.rooms(), rooms);
    QCOMPARE(f.tables(), tables);
    QCOMPARE(f.t.scalar("select fjm||fjmc from dj, yd where djbh='2'"), QStringLiteral("大厅大厅"));
}

void TestFloorSettings::renameIsAllOrNothing()
{
    Floor f;
    f.t.exec("create trigger refuse before update on cz begin select raise(abort, 'locked'); end");
    QVERIFY(!f.roomSettings.change(QStringLiteral("大厅"), QStringLiteral("正厅"), QString()));
    QCOMPARE(f.t.prompt.texts(), QStringList{"修改房间发生异常,修改房间失败!"});
    QCOMPARE(f.rooms() + f.tables(), kRooms + kTables);
}

void TestFloorSettings::tables_data()
{
    QTest::addColumn<QString>("command"); // "add name seats room", "change old name seats room", ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<TableInput>("input");
    QTest::addColumn<QString>("tables");
    const auto I = [](TableInput i) { return i; };
    QTest::newRow("add, no name first") << "add|||"
                                        << "餐桌名不能为空！" << I(TableInput::Name) << kTables;
    QTest::newRow("add, no seats") << "add|C1||"
                                   << "座位数不能为空！" << I(TableInput::Seats) << kTables;
    QTest::newRow("add, zero seats") << "add|C1|0|大厅"
                                     << "座位数请输入非零整数！" << I(TableInput::Seats) << kTables;
    QTest::newRow("add, seats not a number") << "add|C1|四|大厅"
                                             << "座位数请输入非零整数！" << I(TableInput::Seats) << kTables;
    QTest::newRow("add, negative seats") << "add|C1|-2|大厅"
                                         << "座位数请输入非零整数！" << I(TableInput::Seats) << kTables;
    QTest::newRow("add, no room") << "add|C1|4|"
                                  << "房间名不能为空！" << I(TableInput::Room) << kTables;
    QTest::newRow("add, exists: checked last") << "add|B1|4|大厅"
                                               << "已经存在此餐桌！" << I(TableInput::Name) << kTables;
    // Seats are stored as the number they read as.
    QTest::newRow("add") << "add|C'1|8 人|包间"
                         << "" << I(TableInput::None) << kTables + ",C'1:8:包间";
    QTest::newRow("change to another's name") << "change|B1|A2|12|包间"
                                              << "已经存在此餐桌！" << I(TableInput::Name) << kTables;
    QTest::newRow("change a table ever opened")
        << "change|A2|A2|12|包间"
        << "此餐桌已经被使用,不能修改！" << I(TableInput::None) << kTables;
    QTest::newRow("change") << "change|B1|B9|12|大厅"
                            << "" << I(TableInput::None) << "A1:4:大厅,A2:6:大厅,B9:12:大厅";
    QTest::newRow("may change none") << "may|"
                                     << "请选定要删除的餐桌!" << I(TableInput::None) << kTables;
    QTest::newRow("may change occupied") << "may|A1"
                                         << "此餐桌正在使用,不能修改!" << I(TableInput::None) << kTables;
    QTest::newRow("may change free") << "may|A2"
                                     << "" << I(TableInput::None) << kTables;
    QTest::newRow("remove none") << "remove|"
                                 << "请选定要删除的餐桌!" << I(TableInput::None) << kTables;
    QTest::newRow("remove occupied") << "remove|A1"
                                     << "此餐桌正在使用,不能删除!" << I(TableInput::None) << kTables;
    QTest::newRow("remove ever opened") << "remove|A2"
                                        << "此餐桌已经被使用,不能删除！" << I(TableInput::None) << kTables;
    QTest::newRow("remove, no question") << "remove|B1"
                                         << "" << I(TableInput::None) << "A1:4:大厅,A2:6:大厅";
}

void TestFloorSettings::tables()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    QFETCH(TableInput, input);
    QFETCH(QString, tables);
    Floor f;
    const QStringList a = command.split(QLatin1Char('|'));
    TableSettings::Result result;
    if (a.at(0) == QLatin1String("add"))
        result = f.tableSettings.add({a.at(1), a.at(2), a.at(3)});
    else if (a.at(0) == QLatin1String("change"))
        result = f.tableSettings.change(a.at(1), {a.at(2), a.at(3), a.at(4)});
    else if (a.at(0) == QLatin1String("may"))
        result.done = f.tableSettings.mayChange(a.at(1));
    else
        result.done = f.tableSettings.remove(a.at(1));
    QCOMPARE(bool(result), message.isEmpty());
    QCOMPARE(result.input, input);
    QCOMPARE(f.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.tables(), tables);
    QCOMPARE(f.t.scalar("select count(*) from cz where typeof(zzws)<>'integer'"), QStringLiteral("0"));
}

void TestFloorSettings::batch_data()
{
    QTest::addColumn<QString>("fields"); // from, to, mark, "before"/"after", seats, room
    QTest::addColumn<QString>("message");
    QTest::addColumn<TableInput>("input");
    QTest::addColumn<QString>("added");
    const auto I = [](TableInput i) { return i; };
    QTest::newRow("no from") << "|||before||"
                             << "范围不能为空！" << I(TableInput::From) << "";
    QTest::newRow("no to") << "1|||before||"
                           << "范围不能为空！" << I(TableInput::To) << "";
    QTest::newRow("no seats") << "1|3||before||"
                              << "座位数不能为空！" << I(TableInput::Seats) << "";
    QTest::newRow("zero seats") << "1|3||before|0|"
                                << "座位数请输入非零整数！" << I(TableInput::Seats) << "";
    QTest::newRow("no room") << "1|3||before|4|"
                             << "房间名不能为空！" << I(TableInput::Room) << "";
    // Names that exist are skipped without a word.
    QTest::newRow("mark before") << "1|3|A|before|2|包间"
                                 << "" << I(TableInput::None) << ",A3:2:包间";
    QTest::newRow("mark after") << "1|3|A|after|2|包间"
                                << "" << I(TableInput::None) << ",1A:2:包间,2A:2:包间,3A:2:包间";
    QTest::newRow("no mark") << "9|10||before|4|大厅"
                             << "" << I(TableInput::None) << ",9:4:大厅,10:4:大厅";
    QTest::newRow("from after to") << "3|1|A|before|4|大厅"
                                   << "" << I(TableInput::None) << "";
}

void TestFloorSettings::batch()
{
    QFETCH(QString, fields);
    QFETCH(QString, message);
    QFETCH(TableInput, input);
    QFETCH(QString, added);
    Floor f;
    const QStringList a = fields.split(QLatin1Char('|'));
    const TableSettings::Result result = f.tableSettings.addBatch(
        {a.at(0), a.at(1), a.at(2), a.at(3) == QLatin1String("before"), a.at(4), a.at(5)});
    QCOMPARE(bool(result), message.isEmpty());
    QCOMPARE(result.input, input);
    QCOMPARE(f.t.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.tables(), kTables + added);
}

// Initials are computed from the name on every save; a waiter without a birth date keeps none;
// deleting asks first.
void TestFloorSettings::waiters()
{
    TestDatabase t;
    WaiterSettings waiters(t.db, t.prompt);
    QVERIFY(waiters.add({QStringLiteral("王小明"), QStringLiteral("男"), QDate(1990, 3, 7),
                         QStringLiteral("138'00"), QStringLiteral("110101199003070011")}));
    QCOMPARE(waiters.rows().value(0),
             QStringList({"1", "王小明", "WXM", "男", "138'00", "110101199003070011", "1990-03-07"}));
    QCOMPARE(waiters.read(1).birthDate, QDate(1990, 3, 7));
    QVERIFY(waiters.change(1, {QStringLiteral("李红"), QStringLiteral("女"), QDate(), {}, {}}));
    QCOMPARE(waiters.rows().value(0), QStringList({"1", "李红", "LH", "女", "", "", ""}));
    QVERIFY(!waiters.read(1).birthDate.isValid());

    QCOMPARE(waiters.change(1, {}).input, WaiterSettings::Input::Name);
    QVERIFY(!waiters.mayChange(0));
    QVERIFY(!waiters.remove(1)); // answered no
    t.prompt.answer(Prompt::Answer::Yes);
    t.exec("insert into dj (djbh, czm, fws) values ('1', 'A1', 1)");
    QVERIFY(waiters.remove(1));
    QCOMPARE(t.prompt.texts(), QStringList({"服务生姓名不能为空!", "请选定要修改的服务生!",
                                            "你真的要删除此服务生吗，删除后不可恢复?",
                                            "你真的要删除此服务生吗，删除后不可恢复?"}));
    QVERIFY(waiters.rows().isEmpty());
    QCOMPARE(t.scalar("select fws from dj"), QStringLiteral("1"));
}

void TestFloorSettings::waiterPicker_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("waiters");
    QTest::newRow("empty hides") << "" << QStringList();
    QTest::newRow("name prefix") << "王" << QStringList({"王芳", "王小明"});
    QTest::newRow("lower-case initials") << "wx" << QStringList({"王小明"});
    QTest::newRow("number prefix") << "2" << QStringList({"李强"});
    QTest::newRow("quote dropped") << "王'小" << QStringList({"王小明"});
    QTest::newRow("only a quote") << "'" << QStringList();
    QTest::newRow("no such waiter") << "赵" << QStringList();
}

void TestFloorSettings::waiterPicker()
{
    QFETCH(QString, text);
    QFETCH(QStringList, waiters);
    TestDatabase t;
    t.exec("insert into fws(xm,jp) values('王芳','WF'), ('李强','LQ'), ('王小明','WXM')");
    QStringList listed;
    for (const WaiterPicker::Waiter& w : WaiterPicker(t.db).textChanged(text))
        listed << w.name;
    QCOMPARE(listed, waiters);
    QVERIFY(t.prompt.texts().isEmpty());
}

// Only a waiter taken from the list, or the registration's own, counts; editing the text forgets it.
void TestFloorSettings::pickedWaiterStands()
{
    TestDatabase t;
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    WaiterPicker picker(t.db);
    QCOMPARE(picker.textChanged(QStringLiteral("王芳")).size(), 1);
    QCOMPARE(picker.waiterId(), 0); // typed in full, never taken
    picker.choose({1, QStringLiteral("王芳")});
    QVERIFY(picker.textChanged(QStringLiteral("王芳")).isEmpty());
    QCOMPARE(picker.waiterId(), 1);
    picker.textChanged(QStringLiteral("王"));
    QCOMPARE(picker.waiterId(), 0);
    QCOMPARE(picker.preset(1), QStringLiteral("王芳"));
    QCOMPARE(picker.waiterId(), 1);
    // A waiter deleted since the registration was written stays the registration's waiter.
    QCOMPARE(picker.preset(9), QStringLiteral("9号(已删除)"));
    QCOMPARE(picker.waiterId(), 9);
    picker.textChanged(QString());
    QCOMPARE(picker.waiterId(), 0);
    QCOMPARE(picker.all().size(), 1);
}

PELVAR_TEST(TestFloorSettings)
#include "tst_FloorSettings.moc"
