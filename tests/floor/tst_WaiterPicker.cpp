#include "Restaurant.h"
#include "TestMain.h"
#include "WaiterPicker.h"

#include <QTest>

static QStringList names(const QList<WaiterPicker::Waiter>& waiters)
{
    QStringList out;
    for (const WaiterPicker::Waiter& w : waiters)
        out << QString::number(w.id) + w.name;
    return out;
}

class TestWaiterPicker : public QObject
{
    Q_OBJECT
private slots:
    void list_data();
    void list();
    void onlyAPickedWaiterCounts();
    void presetFromARegistration();
    void allInOrderOfNumber();
};

void TestWaiterPicker::list_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("waiters");
    QTest::newRow("empty hides") << "" << QStringList();
    QTest::newRow("name prefix") << "王" << QStringList({"1王芳", "3王小明"});
    QTest::newRow("initials prefix") << "W" << QStringList({"1王芳", "3王小明"});
    QTest::newRow("lower-case initials") << "lq" << QStringList({"2李强"});
    QTest::newRow("number prefix") << "2" << QStringList({"2李强"});
    QTest::newRow("quote dropped") << "王'小" << QStringList({"3王小明"});
    QTest::newRow("only a quote") << "'" << QStringList();
    QTest::newRow("no such waiter") << "赵" << QStringList();
}

void TestWaiterPicker::list()
{
    QFETCH(QString, text);
    QFETCH(QStringList, waiters);
    TestDatabase t;
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    t.exec("insert into fws(xm,jp) values('李强','LQ')");
    t.exec("insert into fws(xm,jp) values('王小明','WXM')");
    WaiterPicker picker(t.db);
    QCOMPARE(names(picker.textChanged(text)), waiters);
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestWaiterPicker::onlyAPickedWaiterCounts()
{
    TestDatabase t;
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    WaiterPicker picker(t.db);
    // Typed in full but never taken from the list: no waiter.
    QCOMPARE(picker.textChanged(QStringLiteral("王芳")).size(), 1);
    QCOMPARE(picker.waiterId(), 0);

    picker.choose({1, QStringLiteral("王芳")});
    QCOMPARE(picker.waiterId(), 1);
    // The field showing the taken name lists nothing and keeps the waiter.
    QVERIFY(picker.textChanged(QStringLiteral("王芳")).isEmpty());
    QCOMPARE(picker.waiterId(), 1);
    // Editing the name afterwards forgets it.
    picker.textChanged(QStringLiteral("王"));
    QCOMPARE(picker.waiterId(), 0);
    QCOMPARE(picker.waiterName(), QString());
}

void TestWaiterPicker::presetFromARegistration()
{
    TestDatabase t;
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    WaiterPicker picker(t.db);
    QCOMPARE(picker.preset(1), QStringLiteral("王芳"));
    QCOMPARE(picker.waiterId(), 1);
    QVERIFY(picker.textChanged(QStringLiteral("王芳")).isEmpty());
    QCOMPARE(picker.waiterId(), 1);
    QCOMPARE(picker.preset(0), QString());
    QCOMPARE(picker.waiterId(), 0);
    // A waiter deleted since the registration was written.
    QCOMPARE(picker.preset(9), QString());
    QCOMPARE(picker.waiterId(), 0);
}

void TestWaiterPicker::allInOrderOfNumber()
{
    TestDatabase t;
    WaiterPicker picker(t.db);
    QVERIFY(picker.all().isEmpty());
    t.exec("insert into fws(xm,jp) values('王芳','WF')");
    t.exec("insert into fws(xm,jp) values('李强','LQ')");
    QCOMPARE(names(picker.all()), QStringList({"1王芳", "2李强"}));
    // Listing does not take a waiter.
    QCOMPARE(picker.waiterId(), 0);
}

PELVAR_TEST(TestWaiterPicker)
#include "tst_WaiterPicker.moc"
