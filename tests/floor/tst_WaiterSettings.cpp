#include "TestDatabase.h"
#include "TestMain.h"
#include "WaiterSettings.h"

#include <QTest>

class TestWaiterSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addComputesTheInitials();
    void changeRecomputesTheInitials();
    void emptyNameIsRefused();
    void removeAsksFirst();
    void removeKeepsThePastVisits();

private:
    TestDatabase* m_t = nullptr;
    WaiterSettings* m_waiters = nullptr;
};

void TestWaiterSettings::init()
{
    m_t = new TestDatabase;
    m_waiters = new WaiterSettings(m_t->db, m_t->prompt);
}

void TestWaiterSettings::cleanup()
{
    delete m_waiters;
    delete m_t;
}

void TestWaiterSettings::addComputesTheInitials()
{
    QVERIFY(m_waiters->add({QStringLiteral("王小明"), QStringLiteral("男"), QDate(1990, 3, 7),
                            QStringLiteral("138'00"), QStringLiteral("110101199003070011")}));
    QCOMPARE(m_t->prompt.texts(), QStringList());
    const QList<QStringList> rows = m_waiters->rows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0),
             QStringList({"1", "王小明", "WXM", "男", "138'00", "110101199003070011", "1990-03-07"}));
    const WaiterSettings::Waiter read = m_waiters->read(1);
    QCOMPARE(read.birthDate, QDate(1990, 3, 7));
    QCOMPARE(read.contact, QStringLiteral("138'00"));
}

void TestWaiterSettings::changeRecomputesTheInitials()
{
    QVERIFY(m_waiters->add({QStringLiteral("王小明"), QStringLiteral("男"), QDate(1990, 3, 7), {}, {}}));
    QVERIFY(
        m_waiters->change(1, {QStringLiteral("李红"), QStringLiteral("女"), QDate(1992, 12, 31), {}, {}}));
    QCOMPARE(m_waiters->rows().value(0), QStringList({"1", "李红", "LH", "女", "", "", "1992-12-31"}));
}

void TestWaiterSettings::emptyNameIsRefused()
{
    WaiterSettings::Result result = m_waiters->add({});
    QVERIFY(!result);
    QCOMPARE(result.input, WaiterSettings::Input::Name);
    QVERIFY(m_waiters->add({QStringLiteral("王小明"), {}, QDate(1990, 3, 7), {}, {}}));
    result = m_waiters->change(1, {});
    QVERIFY(!result);
    QCOMPARE(m_t->prompt.texts(), QStringList({"服务生姓名不能为空!", "服务生姓名不能为空!"}));
    QCOMPARE(m_waiters->rows().at(0).at(WaiterSettings::Name), QStringLiteral("王小明"));

    QVERIFY(!m_waiters->mayChange(0));
    QCOMPARE(m_t->prompt.last(), QStringLiteral("请选定要修改的服务生!"));
}

void TestWaiterSettings::removeAsksFirst()
{
    QVERIFY(m_waiters->add({QStringLiteral("王小明"), {}, QDate(1990, 3, 7), {}, {}}));
    QVERIFY(!m_waiters->remove(1)); // answered No
    QCOMPARE(m_waiters->rows().size(), 1);
    m_t->prompt.answer(Prompt::Answer::Yes);
    QVERIFY(m_waiters->remove(1));
    QCOMPARE(m_waiters->rows().size(), 0);
    QCOMPARE(m_t->prompt.texts(), QStringList(2, QStringLiteral("你真的要删除此服务生吗，删除后不可恢复?")));
    QCOMPARE(m_t->prompt.shown().at(0).buttons, Prompt::Buttons::YesNo);
}

void TestWaiterSettings::removeKeepsThePastVisits()
{
    QVERIFY(m_waiters->add({QStringLiteral("王小明"), {}, QDate(1990, 3, 7), {}, {}}));
    m_t->exec(QStringLiteral("insert into dj (djbh, czm, xfzt, fws) values ('1', 'A1', '离店', 1)"));
    m_t->prompt.answer(Prompt::Answer::Yes);
    QVERIFY(m_waiters->remove(1));
    QCOMPARE(m_t->scalar(QStringLiteral("select fws from dj")), QStringLiteral("1"));
}

PELVAR_TEST(TestWaiterSettings)
#include "tst_WaiterSettings.moc"
