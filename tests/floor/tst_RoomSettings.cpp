#include "RoomSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

class TestRoomSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsRoomsByNumber();
    void addRefusals_data();
    void addRefusals();
    void addKeepsQuotesAsTyped();
    void renameMovesTheRoomsTables();
    void renameToAnotherRoomsNameIsRefused();
    void keepingTheNameChangesTheNote();
    void renameIsAllOrNothing();
    void removal_data();
    void removal();

private:
    QString column(const QString& statement);

    TestDatabase* m_t = nullptr;
    RoomSettings* m_rooms = nullptr;
};

void TestRoomSettings::init()
{
    m_t = new TestDatabase;
    m_rooms = new RoomSettings(m_t->db, m_t->prompt);
    m_t->exec(
        QStringLiteral("insert into fj (fjm, csfy) values ('大厅', '一楼'), ('包间', ''), ('空房', '')"));
    m_t->exec(QStringLiteral("insert into cz (czm, zzws, fjm) values ('A1', 4, '大厅'), ('A2', 6, '大厅'), "
                             "('B1', 10, '包间')"));
}

void TestRoomSettings::cleanup()
{
    delete m_rooms;
    delete m_t;
}

QString TestRoomSettings::column(const QString& statement)
{
    QStringList values;
    Recordset rs = m_t->db.query(statement);
    for (; !rs.isEOF(); rs.moveNext())
        values << rs.value(0).toString();
    return values.join(QLatin1Char(','));
}

void TestRoomSettings::listsRoomsByNumber()
{
    const QList<QStringList> rows = m_rooms->rows();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0), QStringList({"1", "大厅", "一楼"}));
    QCOMPARE(rows.at(2), QStringList({"3", "空房", ""}));
    QCOMPARE(m_rooms->names(), QStringList({"大厅", "包间", "空房"}));
    QCOMPARE(RoomSettings::kColumns.count(QLatin1Char(';')), int(RoomSettings::ColumnCount));
}

void TestRoomSettings::addRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "请输入房间名";
    QTest::newRow("exists") << "包间"
                            << "已经存在此房间";
}

void TestRoomSettings::addRefusals()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const RoomSettings::Result result = m_rooms->add(name, QStringLiteral("x"));
    QVERIFY(!result);
    QCOMPARE(result.message, message);
    QCOMPARE(result.input, RoomSettings::Input::Name);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QCOMPARE(m_t->prompt.shown().at(0).caption, QStringLiteral("提示信息"));
    QCOMPARE(m_t->scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("3"));
}

void TestRoomSettings::addKeepsQuotesAsTyped()
{
    QVERIFY(m_rooms->add(QStringLiteral("Joe's"), QStringLiteral("it's '); drop table fj; --")));
    QCOMPARE(m_rooms->rows().last(), QStringList({"4", "Joe's", "it's '); drop table fj; --"}));
    QVERIFY(!m_rooms->add(QStringLiteral("Joe's"), QString()));
    QCOMPARE(m_t->prompt.texts(), QStringList{"已经存在此房间"});
}

void TestRoomSettings::renameMovesTheRoomsTables()
{
    m_t->exec(QStringLiteral("insert into dj (djbh, czm, fjm, xfzt) values ('1', 'A1', '大厅', '离店')"));
    m_t->exec(QStringLiteral("insert into yd (ydbh, fjmc, czmc) values ('1', '大厅', 'A2')"));

    QVERIFY(m_rooms->change(QStringLiteral("大厅"), QStringLiteral("正厅"), QStringLiteral("新")));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_rooms->rows().at(0), QStringList({"1", "正厅", "新"}));
    QCOMPARE(column(QStringLiteral("select fjm from cz order by id")), QStringLiteral("正厅,正厅,包间"));
    // The history keeps the name the room had then.
    QCOMPARE(m_t->scalar(QStringLiteral("select fjm from dj")), QStringLiteral("大厅"));
    QCOMPARE(m_t->scalar(QStringLiteral("select fjmc from yd")), QStringLiteral("大厅"));
}

void TestRoomSettings::renameToAnotherRoomsNameIsRefused()
{
    const RoomSettings::Result result =
        m_rooms->change(QStringLiteral("大厅"), QStringLiteral("包间"), QString());
    QVERIFY(!result);
    QCOMPARE(result.input, RoomSettings::Input::Name);
    QCOMPARE(m_t->prompt.texts(), QStringList{"已经存在此房间"});
    QCOMPARE(column(QStringLiteral("select fjm from cz order by id")), QStringLiteral("大厅,大厅,包间"));

    QVERIFY(!m_rooms->change(QStringLiteral("大厅"), QString(), QString()));
    QCOMPARE(m_t->prompt.last(), QStringLiteral("请输入房间名"));
}

void TestRoomSettings::keepingTheNameChangesTheNote()
{
    QVERIFY(m_rooms->change(QStringLiteral("包间"), QStringLiteral("包间"), QStringLiteral("二楼")));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    QCOMPARE(m_rooms->rows().at(1), QStringList({"2", "包间", "二楼"}));
}

void TestRoomSettings::renameIsAllOrNothing()
{
    m_t->exec(QStringLiteral(
        "create trigger refuse_cz before update on cz begin select raise(abort, 'locked'); end"));
    const RoomSettings::Result result =
        m_rooms->change(QStringLiteral("大厅"), QStringLiteral("正厅"), QString());
    QVERIFY(!result);
    QCOMPARE(m_t->prompt.texts(), QStringList{"修改房间发生异常,修改房间失败!"});
    QCOMPARE(m_rooms->names(), QStringList({"大厅", "包间", "空房"}));
    QCOMPARE(column(QStringLiteral("select fjm from cz order by id")), QStringLiteral("大厅,大厅,包间"));
}

void TestRoomSettings::removal_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("none selected") << "" << QStringList{"请选定要删除的房间!"}
                                   << QStringList{"大厅", "包间", "空房"};
    QTest::newRow("has tables") << "包间" << QStringList{"此房间中已经设有餐桌,不能删除！"}
                                << QStringList{"大厅", "包间", "空房"};
    QTest::newRow("empty room, no question") << "空房" << QStringList{} << QStringList{"大厅", "包间"};
}

void TestRoomSettings::removal()
{
    QFETCH(QString, room);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    QCOMPARE(m_rooms->remove(room), messages.isEmpty());
    QCOMPARE(m_t->prompt.texts(), messages);
    QCOMPARE(m_rooms->names(), left);
}

PELVAR_TEST(TestRoomSettings)
#include "tst_RoomSettings.moc"
