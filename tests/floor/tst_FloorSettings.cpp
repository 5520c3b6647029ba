#include "CFjPage.h"
#include "CFwsDlg.h"
#include "CLeftView.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "Gbk.h"
#include "ModalDialogs.h"
#include "RoomSettings.h"
#include "SettingsPageFixture.h"
#include "TableBatchDialog.h"
#include "TableDialog.h"
#include "TableSettings.h"
#include "TestMain.h"
#include "WaiterDialog.h"
#include "WaiterPicker.h"
#include "WaiterSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using Input = TableSettings::Input;
Q_DECLARE_METATYPE(TableSettings::Input)

namespace {

const QString kRooms = QStringLiteral("大厅:一楼,包间:,空房:");
const QString kTables = QStringLiteral("A1:4:大厅,A2:6:大厅,B1:10:包间");

// Rooms 大厅 (一楼), 包间, 空房. Tables: A1 open now, A2 opened once and free again (both in 大厅),
// B1 in 包间, never opened. A registration and a booking name 大厅.
struct Floor
{
    Floor()
    {
        t.exec("insert into fj(fjm,csfy) values('大厅','一楼'),('包间',''),('空房','')");
        t.exec("insert into cz(czm,zzws,fjm,zyzt) values('A1',4,'大厅','占用'),('A2',6,'大厅','空闲'),"
               "('B1',10,'包间','空闲')");
        t.exec("insert into dj(djbh,czm,fjm,xfzt) values('1','A1','大厅','占用'),('2','A2','大厅','离店')");
        t.exec("insert into yd(ydbh,fjmc,czmc) values('1','大厅','A2')");
    }
    // Rooms as "name:note,...", tables as "name:seats:room,...", in order of number.
    QString rooms() { return t.scalar("select group_concat(fjm||':'||csfy) from fj"); }
    QString tables() { return t.scalar("select group_concat(czm||':'||zzws||':'||fjm) from cz"); }

    TestDatabase t;
    RoomSettings roomSettings{t.db, t.prompt};
    TableSettings tableSettings{t.db, t.prompt};
};

QStringList column(CPrintListReportCtrl* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->cellText(row, column);
    return texts;
}

} // namespace

class TestFloorSettings : public QObject
{
    Q_OBJECT
private slots:
    void roomsAndTables_data();
    void roomsAndTables();
    void waitersAndThePicker();
    void roomsAndTablesPage();
    void waitersPage();
    void notesOfTheRoomsPane();
};

// A command with its fields; the message it refuses with and the field that takes the focus,
// or the rooms and tables after it. Quotes are stored as typed; seats as the number they read as.
void TestFloorSettings::roomsAndTables_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<Input>("input");
    const auto row = [](const char* tag, const char* command, const QString& outcome,
                        Input input = Input::None) {
        QTest::newRow(tag) << QString::fromUtf8(command) << outcome << input;
    };
    const QString unchanged = kRooms + '/' + kTables;
    row("room", "room||Joe's|it's '); drop table fj; --",
        kRooms + ",Joe's:it's '); drop table fj; --/" + kTables);
    row("room without name", "room|||x", QStringLiteral("请输入房间名"));
    // The room's tables follow the new name; registrations and bookings keep the old one.
    row("rename", "room|大厅|正厅|新", QStringLiteral("正厅:新,包间:,空房:/A1:4:正厅,A2:6:正厅,B1:10:包间"));
    row("rename, all or nothing", "room|大厅|正厅|!", QStringLiteral("修改房间发生异常,修改房间失败!"));
    row("rename to another's", "room|大厅|包间|", QStringLiteral("已经存在此房间"));
    row("rename to nothing", "room|大厅||", QStringLiteral("请输入房间名"));
    row("note only", "room|包间|包间|二楼", "大厅:一楼,包间:二楼,空房:/" + kTables);
    row("remove a room with tables", "remove room|包间", QStringLiteral("此房间中已经设有餐桌,不能删除！"));
    row("remove an empty room, no question", "remove room|空房", "大厅:一楼,包间:/" + kTables);
    row("table, no name first", "table||||", QStringLiteral("餐桌名不能为空！"), Input::Name);
    row("table, no seats", "table||C1||", QStringLiteral("座位数不能为空！"), Input::Seats);
    row("table, zero seats", "table||C1|0|大厅", QStringLiteral("座位数请输入非零整数！"), Input::Seats);
    row("table, no room", "table||C1|4|", QStringLiteral("房间名不能为空！"), Input::Room);
    row("table that exists, checked last", "table||B1|4|大厅", QStringLiteral("已经存在此餐桌！"),
        Input::Name);
    row("table", "table||C'1|8 人|包间", unchanged + ",C'1:8:包间");
    row("change to another's name", "table|B1|A2|12|包间", QStringLiteral("已经存在此餐桌！"), Input::Name);
    row("change a table ever opened", "table|A2|A2|12|包间", QStringLiteral("此餐桌已经被使用,不能修改！"));
    row("change", "table|B1|B9|12|大厅", kRooms + "/A1:4:大厅,A2:6:大厅,B9:12:大厅");
    row("change a booked table", "table|B1|B9|12|大厅|booked", kRooms + "/A1:4:大厅,A2:6:大厅,B9:12:大厅");
    row("may change none", "may|", QStringLiteral("请选定要删除的餐桌!"));
    row("may change an occupied table", "may|A1", QStringLiteral("此餐桌正在使用,不能修改!"));
    row("remove no table", "remove table|", QStringLiteral("请选定要删除的餐桌!"));
    row("remove an occupied table", "remove table|A1", QStringLiteral("此餐桌正在使用,不能删除!"));
    row("remove a table ever opened", "remove table|A2", QStringLiteral("此餐桌已经被使用,不能删除！"));
    row("remove a table, no question", "remove table|B1", kRooms + "/A1:4:大厅,A2:6:大厅");
    row("remove a booked table", "remove table|B1|booked", QStringLiteral("此餐桌已有预订,不能删除！"));
    // Batches: from, to, mark, before or after, seats, room; names that exist are skipped.
    row("batch, no from", "batch||||before||", QStringLiteral("范围不能为空！"), Input::From);
    row("batch, no seats", "batch|1|3||before||", QStringLiteral("座位数不能为空！"), Input::Seats);
    row("batch, mark before", "batch|1|3|A|before|2|包间", unchanged + ",A3:2:包间");
    row("batch, mark after", "batch|1|3|A|after|2|包间", unchanged + ",1A:2:包间,2A:2:包间,3A:2:包间");
    row("batch, no mark", "batch|9|10||before|4|大厅", unchanged + ",9:4:大厅,10:4:大厅");
    row("batch, from after to", "batch|3|1|A|before|4|大厅", unchanged);
}

void TestFloorSettings::roomsAndTables()
{
    QFETCH(QString, command);
    QFETCH(QString, outcome);
    QFETCH(Input, input);
    Floor f;
    const QStringList a = command.split(QLatin1Char('|'));
    const QString what = a.at(0);
    if (a.last() == "!") // the tables refuse to move
        f.t.exec("create trigger refuse before update on cz begin select raise(abort, 'locked'); end");
    if (a.last() == "booked")
        f.t.exec("update yd set czmc='B1', zt='已订'");
    TableSettings::Result result;
    if (what == "room")
        result.done = bool(a.at(1).isEmpty() ? f.roomSettings.add(a.at(2), a.at(3))
                                             : f.roomSettings.change(a.at(1), a.at(2), a.at(3)));
    else if (what == "remove room")
        result.done = f.roomSettings.remove(a.at(1));
    else if (what == "table")
        result = a.at(1).isEmpty() ? f.tableSettings.add({a.at(2), a.at(3), a.at(4)})
                                   : f.tableSettings.change(a.at(1), {a.at(2), a.at(3), a.at(4)});
    else if (what == "may")
        result.done = f.tableSettings.mayChange(a.at(1));
    else if (what == "remove table")
        result.done = f.tableSettings.remove(a.at(1));
    else
        result = f.tableSettings.addBatch({a.at(1), a.at(2), a.at(3), a.at(4) == "before", a.at(5), a.at(6)});
    const bool done = outcome.contains('/');
    QCOMPARE(bool(result), done);
    QCOMPARE(result.input, input);
    QCOMPARE(f.t.prompt.texts(), done ? QStringList() : QStringList{outcome});
    QCOMPARE(f.rooms() + '/' + f.tables(), done ? outcome : kRooms + '/' + kTables);
    QCOMPARE(f.t.scalar("select fjm||fjmc||count(*) from dj, yd where djbh='2'"),
             QStringLiteral("大厅大厅1"));
    QCOMPARE(f.t.scalar("select count(*) from cz where typeof(zzws)<>'integer'"), QStringLiteral("0"));
    // No booking is left pointing at no table.
    QCOMPARE(f.t.scalar("select count(*) from yd where czmc not in (select czm from cz)"),
             QStringLiteral("0"));
}

// Initials are computed from the name on every save; a waiter without a birth date keeps none;
// deleting asks first and leaves the visits the waiter served. The picker lists waiters whose
// name, initials or number begin with the text; only a waiter taken from the list, or the
// registration's own (also one deleted since), counts until the text is edited.
void TestFloorSettings::waitersAndThePicker()
{
    TestDatabase t;
    WaiterSettings waiters(t.db, t.prompt);
    QVERIFY(
        waiters.add({QStringLiteral("王小明"), QStringLiteral("男"), QDate(1990, 3, 7), "138'00", "1101"}));
    QCOMPARE(waiters.rows().value(0).join(' '), QStringLiteral("1 王小明 WXM 男 138'00 1101 1990-03-07"));
    QVERIFY(waiters.change(1, {QStringLiteral("李红"), QStringLiteral("女"), QDate(), {}, {}}));
    QCOMPARE(waiters.rows().value(0).join(' '), QStringLiteral("1 李红 LH 女   "));
    QCOMPARE(waiters.change(1, {}).input, WaiterSettings::Input::Name);
    t.exec("insert into fws(xm,jp) values('王芳','WF'), ('王小明','WXM')");
    t.exec("insert into dj (djbh, czm, fws) values ('1', 'A1', 1)");
    QVERIFY(!waiters.remove(1)); // answered no
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(waiters.remove(1));
    QCOMPARE(t.prompt.texts().join(' '), "服务生姓名不能为空! 你真的要删除此服务生吗，删除后不可恢复? "
                                         "你真的要删除此服务生吗，删除后不可恢复?");
    QCOMPARE(t.scalar("select fws from dj"), QStringLiteral("1"));

    WaiterPicker picker(t.db);
    QStringList listed;
    for (const char* text : {"王", "wx", "2", "王'小", "'", "赵", "王芳"}) {
        QStringList names;
        for (const WaiterPicker::Waiter& w : picker.textChanged(QString::fromUtf8(text)))
            names << w.name;
        listed << names.join(',');
    }
    QCOMPARE(listed.join('/'), QStringLiteral("王芳,王小明/王小明/王芳/王小明///王芳"));
    QCOMPARE(picker.waiterId(), 0); // typed in full, never taken
    picker.choose({2, QStringLiteral("王芳")});
    QVERIFY(picker.textChanged(QStringLiteral("王芳")).isEmpty());
    QCOMPARE(picker.waiterId(), 2);
    picker.textChanged(QStringLiteral("王"));
    QCOMPARE(picker.waiterId(), 0);
    QCOMPARE(picker.preset(9), QStringLiteral("9号(已删除)"));
    QCOMPARE(picker.waiterId(), 9);
    picker.textChanged(QString());
    QCOMPARE(picker.waiterId() + picker.all().size(), 2);
}

// Rights first; a room chosen shows its tables; the table dialog refuses with the focus at the
// field at fault; the batch dialog adds the range.
void TestFloorSettings::roomsAndTablesPage()
{
    SettingsPageFixture f({QStringLiteral("fjqx")});
    f.t.exec("insert into fj(fjm,csfy) values('大厅','一楼'),('包间','')");
    f.t.exec("insert into cz(czm,zzws,fjm) values('T1',4,'大厅'),('T2',6,'大厅'),('T3',10,'包间')");
    CFjPage page(f.t.db, f.t.prompt, f.op, f.printer);
    page.resize(1000, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.addRoom();
    const QRect second = page.roomList()->visualRect(page.roomList()->model()->index(1, 0));
    QTest::mouseClick(page.roomList()->viewport(), Qt::LeftButton, {}, second.center());
    QString seen = page.roomFilter()->currentText() + column(page.tableList(), 0).join(',');
    whenModal([&seen](QWidget* modal) {
        auto* dialog = qobject_cast<TableDialog*>(modal);
        seen += dialog->windowTitle() + dialog->roomBox()->currentText();
        typeText(dialog->nameEdit(), QStringLiteral("雅1"));
        dialog->seatsEdit()->setText(QStringLiteral("0"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        seen += QApplication::focusWidget() == dialog->seatsEdit() ? QStringLiteral("@seats") : QString();
        dialog->seatsEdit()->setText(QStringLiteral("8"));
        QTest::keyClick(dialog->seatsEdit(), Qt::Key_Return);
    });
    page.addTable();
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TableBatchDialog*>(modal);
        dialog->fromEdit()->setText(QStringLiteral("1"));
        dialog->toEdit()->setText(QStringLiteral("2"));
        typeText(dialog->markEdit(), QStringLiteral("V"));
        dialog->seatsEdit()->setText(QStringLiteral("6"));
        QTest::keyClick(dialog->fromEdit(), Qt::Key_Return);
    });
    page.addTables();
    QCOMPARE(seen + page.roomFilter()->currentText() + column(page.tableList(), 0).join(','),
             QStringLiteral("包间T3添加餐桌信息包间@seats显示全部T1,T2,T3,雅1,V1,V2"));
    QCOMPARE(f.t.prompt.texts().value(0) + page.tableList()->cellText(3, 1), "你没有此操作权限!空闲");
}

// A waiter added without a birth date keeps none; a double click changes one; deleting asks
// first.
void TestFloorSettings::waitersPage()
{
    SettingsPageFixture f;
    CFwsDlg page(f.t.db, f.t.prompt, f.op, f.printer);
    page.resize(800, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        const bool noDate = !dialog->hasBirthDateBox()->isChecked() && !dialog->birthDateEdit()->isEnabled();
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        const bool backAtName = QApplication::focusWidget() == dialog->nameEdit();
        typeText(dialog->nameEdit(), QStringLiteral("王小明"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        QVERIFY(noDate && backAtName);
    });
    buttonOf(&page, QStringLiteral("添加服务生"))->click();
    QCOMPARE(f.t.scalar("select xm||jp||coalesce(csrq,'-') from fws"), QStringLiteral("王小明WXM-"));
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<WaiterDialog*>(modal);
        dialog->nameEdit()->setText(QStringLiteral("李红"));
        dialog->hasBirthDateBox()->setChecked(true);
        dialog->birthDateEdit()->setDate(QDate(1998, 3, 14));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
    });
    const QPoint at = page.list()->visualRect(page.list()->model()->index(0, 1)).center();
    QTest::mouseClick(page.list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(page.list()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(column(page.list(), 1).join(',') + column(page.list(), 6).join(','),
             QStringLiteral("李红1998-03-14"));
    f.t.prompt.answer(Prompt::Answer::Yes);
    page.list()->selectRow(0);
    buttonOf(&page, QStringLiteral("删除服务生"))->click();
    QCOMPARE(f.t.prompt.texts().last() + QString::number(page.list()->rowCount()),
             QStringLiteral("你真的要删除此服务生吗，删除后不可恢复?0"));
}

// The notes live in 便签.txt beside the database, GBK with CR LF; the time stamp and the clear
// button (after its question) change the file too.
void TestFloorSettings::notesOfTheRoomsPane()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    TestDatabase t;
    const QString path = QDir(t.folder()).filePath(QStringLiteral("便签.txt"));
    QVERIFY(Gbk::writeFile(path, QStringLiteral("今晚包间客满\n")));
    CLeftView view(t.db, t.prompt, t.folder());
    QCOMPARE(view.notes()->toPlainText(), QStringLiteral("今晚包间客满\n"));
    QFile file(path);
    view.findChild<QPushButton*>(QStringLiteral("stamp"))->click();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Gbk::encode(QStringLiteral("今晚包间客满\r\n---2026-12-06 09:05:03---\r\n")));
    auto* clear = view.findChild<QPushButton*>(QStringLiteral("clear"));
    clear->click(); // answered no
    t.prompt.answer(Prompt::Answer::Yes);
    clear->click();
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(t.prompt.texts(), QStringList(2, QStringLiteral("你真的清空便签吗？")));
    Clock::clearFixed();
}

PELVAR_TEST(TestFloorSettings)
#include "tst_FloorSettings.moc"
