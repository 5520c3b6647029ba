#include "TableSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Input = TableSettings::Input;
Q_DECLARE_METATYPE(TableSettings::Input)

class TestTableSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsTablesOfARoomOrAll();
    void addChecks_data();
    void addChecks();
    void addedTableIsFree();
    void changeChecks_data();
    void changeChecks();
    void changeOfAnUnusedTable();
    void mayChange_data();
    void mayChange();
    void removal_data();
    void removal();
    void batchNames_data();
    void batchNames();
    void batchSkipsExistingNames();
    void batchChecks_data();
    void batchChecks();

private:
    QStringList names(const QString& room = TableSettings::kAllRooms);

    TestDatabase* m_t = nullptr;
    TableSettings* m_tables = nullptr;
};

void TestTableSettings::init()
{
    m_t = new TestDatabase;
    m_tables = new TableSettings(m_t->db, m_t->prompt);
    m_t->exec(QStringLiteral("insert into fj (fjm) values ('大厅'), ('包间')"));
    // 'A1' is open now, 'A2' was opened once and is free again, 'B1' was never opened.
    m_t->exec(QStringLiteral("insert into cz (czm, zzws, fjm, zyzt) values ('A1', 4, '大厅', '占用'), "
                             "('A2', 6, '大厅', '空闲'), ('B1', 10, '包间', '空闲')"));
    m_t->exec(QStringLiteral("insert into dj (djbh, czm, fjm, xfzt) values ('1', 'A1', '大厅', '占用'), "
                             "('2', 'A2', '大厅', '离店')"));
}

void TestTableSettings::cleanup()
{
    delete m_tables;
    delete m_t;
}

QStringList TestTableSettings::names(const QString& room)
{
    QStringList result;
    for (const QStringList& row : m_tables->rows(room))
        result << row.at(TableSettings::Name);
    return result;
}

void TestTableSettings::listsTablesOfARoomOrAll()
{
    QCOMPARE(m_tables->rows().at(0), QStringList({"A1", "占用", "大厅", "4"}));
    QCOMPARE(names(), QStringList({"A1", "A2", "B1"}));
    QCOMPARE(names(QString()), QStringList({"A1", "A2", "B1"}));
    QCOMPARE(names(QStringLiteral("大厅")), QStringList({"A1", "A2"}));
    QCOMPARE(names(QStringLiteral("包间")), QStringList({"B1"}));
    QCOMPARE(names(QStringLiteral("无'此")), QStringList());
}

void TestTableSettings::addChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("seats");
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::newRow("no name first") << ""
                                   << ""
                                   << ""
                                   << "餐桌名不能为空！" << Input::Name;
    QTest::newRow("no seats") << "C1"
                              << ""
                              << ""
                              << "座位数不能为空！" << Input::Seats;
    QTest::newRow("zero seats") << "C1"
                                << "0"
                                << "大厅"
                                << "座位数请输入非零整数！" << Input::Seats;
    QTest::newRow("seats not a number") << "C1"
                                        << "四"
                                        << "大厅"
                                        << "座位数请输入非零整数！" << Input::Seats;
    QTest::newRow("negative seats") << "C1"
                                    << "-2"
                                    << "大厅"
                                    << "座位数请输入非零整数！" << Input::Seats;
    QTest::newRow("no room") << "C1"
                             << "4"
                             << ""
                             << "房间名不能为空！" << Input::Room;
    QTest::newRow("exists, checked last") << "B1"
                                          << "4"
                                          << "大厅"
                                          << "已经存在此餐桌！" << Input::Name;
}

void TestTableSettings::addChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, seats);
    QFETCH(QString, room);
    QFETCH(QString, message);
    QFETCH(Input, input);
    const TableSettings::Result result = m_tables->add({name, seats, room});
    QVERIFY(!result);
    QCOMPARE(result.message, message);
    QCOMPARE(result.input, input);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(names(), QStringList({"A1", "A2", "B1"}));
}

void TestTableSettings::addedTableIsFree()
{
    // Seats are stored as the number they were read as, never as typed text.
    QVERIFY(m_tables->add({QStringLiteral("C'1"), QStringLiteral("8 人"), QStringLiteral("包间")}));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_tables->rows().last(), QStringList({"C'1", "空闲", "包间", "8"}));
    QCOMPARE(m_t->scalar(QStringLiteral("select typeof(zzws) from cz where czm='C''1'")),
             QStringLiteral("integer"));
}

void TestTableSettings::changeChecks_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("another table's name") << "B1"
                                          << "A2"
                                          << "已经存在此餐桌！";
    QTest::newRow("ever opened, now free") << "A2"
                                           << "A3"
                                           << "此餐桌已经被使用,不能修改！";
    QTest::newRow("ever opened, seats only") << "A2"
                                             << "A2"
                                             << "此餐桌已经被使用,不能修改！";
}

void TestTableSettings::changeChecks()
{
    QFETCH(QString, oldName);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QVERIFY(!m_tables->change(oldName, {name, QStringLiteral("12"), QStringLiteral("包间")}));
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(m_tables->rows().at(1), QStringList({"A2", "空闲", "大厅", "6"}));
    QCOMPARE(m_tables->rows().at(2), QStringList({"B1", "空闲", "包间", "10"}));
}

void TestTableSettings::changeOfAnUnusedTable()
{
    const TableSettings::Table read = m_tables->read(QStringLiteral("B1"));
    QCOMPARE(read.seats, QStringLiteral("10"));
    QCOMPARE(read.room, QStringLiteral("包间"));
    QVERIFY(m_tables->change(QStringLiteral("B1"),
                             {QStringLiteral("B9"), QStringLiteral("12"), QStringLiteral("大厅")}));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_tables->rows().at(2), QStringList({"B9", "空闲", "大厅", "12"}));
}

void TestTableSettings::mayChange_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message");
    QTest::newRow("none selected") << ""
                                   << "请选定要删除的餐桌!";
    QTest::newRow("occupied") << "A1"
                              << "此餐桌正在使用,不能修改!";
    QTest::newRow("free") << "A2"
                          << "";
}

void TestTableSettings::mayChange()
{
    QFETCH(QString, table);
    QFETCH(QString, message);
    QCOMPARE(m_tables->mayChange(table), message.isEmpty());
    QCOMPARE(m_t->prompt.last(), message);
}

void TestTableSettings::removal_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("none selected") << ""
                                   << "请选定要删除的餐桌!" << QStringList{"A1", "A2", "B1"};
    QTest::newRow("occupied") << "A1"
                              << "此餐桌正在使用,不能删除!" << QStringList{"A1", "A2", "B1"};
    QTest::newRow("ever opened") << "A2"
                                 << "此餐桌已经被使用,不能删除！" << QStringList{"A1", "A2", "B1"};
    QTest::newRow("never opened, no question") << "B1"
                                               << "" << QStringList{"A1", "A2"};
}

void TestTableSettings::removal()
{
    QFETCH(QString, table);
    QFETCH(QString, message);
    QFETCH(QStringList, left);
    QCOMPARE(m_tables->remove(table), message.isEmpty());
    QCOMPARE(m_t->prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(names(), left);
}

void TestTableSettings::batchNames_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("mark before") << "1"
                                 << "3"
                                 << "A" << true << QStringList{"A1", "A2", "A3"};
    QTest::newRow("mark after") << "1"
                                << "3"
                                << "A" << false << QStringList{"1A", "2A", "3A"};
    QTest::newRow("no mark") << "9"
                             << "11"
                             << "" << true << QStringList{"9", "10", "11"};
    QTest::newRow("one") << "5"
                         << "5"
                         << "号" << false << QStringList{"5号"};
    QTest::newRow("from after to") << "3"
                                   << "1"
                                   << "A" << true << QStringList{};
}

void TestTableSettings::batchNames()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, mark);
    QFETCH(bool, before);
    QFETCH(QStringList, names);
    QCOMPARE(TableSettings::batchNames({from, to, mark, before, QStringLiteral("4"), QStringLiteral("大厅")}),
             names);
}

void TestTableSettings::batchSkipsExistingNames()
{
    QVERIFY(m_tables->addBatch({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("A"), true,
                                QStringLiteral("2"), QStringLiteral("包间")}));
    QVERIFY(m_tables->addBatch({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("A"), false,
                                QStringLiteral("2"), QStringLiteral("包间")}));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(names(), QStringList({"A1", "A2", "B1", "A3", "1A", "2A", "3A"}));
    // The tables that existed are left as they were.
    QCOMPARE(m_tables->rows().at(1), QStringList({"A2", "空闲", "大厅", "6"}));
    QCOMPARE(m_tables->rows().at(3), QStringList({"A3", "空闲", "包间", "2"}));
}

void TestTableSettings::batchChecks_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("seats");
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::newRow("no from") << ""
                             << ""
                             << ""
                             << ""
                             << "范围不能为空！" << Input::From;
    QTest::newRow("no to") << "1"
                           << ""
                           << ""
                           << ""
                           << "范围不能为空！" << Input::To;
    QTest::newRow("no seats") << "1"
                              << "3"
                              << ""
                              << ""
                              << "座位数不能为空！" << Input::Seats;
    QTest::newRow("zero seats") << "1"
                                << "3"
                                << "0"
                                << ""
                                << "座位数请输入非零整数！" << Input::Seats;
    QTest::newRow("no room") << "1"
                             << "3"
                             << "4"
                             << ""
                             << "房间名不能为空！" << Input::Room;
}

void TestTableSettings::batchChecks()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, seats);
    QFETCH(QString, room);
    QFETCH(QString, message);
    QFETCH(Input, input);
    const TableSettings::Result result =
        m_tables->addBatch({from, to, QStringLiteral("C"), true, seats, room});
    QVERIFY(!result);
    QCOMPARE(result.input, input);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(names(), QStringList({"A1", "A2", "B1"}));
}

PELVAR_TEST(TestTableSettings)
#include "tst_TableSettings.moc"
