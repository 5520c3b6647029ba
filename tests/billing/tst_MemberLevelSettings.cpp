#include "MemberLevelSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

using Input = MemberLevelSettings::Input;
Q_DECLARE_METATYPE(MemberLevelSettings::Input)

class TestMemberLevelSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ratio_data();
    void ratio();
    void changeRewritesTheLevel();
    void removal_data();
    void removal();

private:
    TestDatabase* m_t = nullptr;
    MemberLevelSettings* m_levels = nullptr;
};

void TestMemberLevelSettings::init()
{
    m_t = new TestDatabase;
    m_levels = new MemberLevelSettings(m_t->db, m_t->prompt);
    m_t->exec(
        QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8), ('银卡', 0.95), ('普通', 1)"));
    m_t->exec(QStringLiteral("insert into hy (xm, hydj) values ('张三', 1), ('李四', null)"));
}

void TestMemberLevelSettings::cleanup()
{
    delete m_levels;
    delete m_t;
}

void TestMemberLevelSettings::ratio_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no name") << ""
                             << "0.9"
                             << "名称不能为空!" << Input::Name << "";
    QTest::newRow("zero") << "钻石"
                          << "0"
                          << "折扣非法,大于0并且小于等于1!" << Input::Ratio << "";
    QTest::newRow("not a number") << "钻石"
                                  << "九折"
                                  << "折扣非法,大于0并且小于等于1!" << Input::Ratio << "";
    QTest::newRow("rounds to zero") << "钻石"
                                    << "0.004"
                                    << "折扣非法,大于0并且小于等于1!" << Input::Ratio << "";
    QTest::newRow("above one") << "钻石"
                               << "1.01"
                               << "折扣非法,大于0并且小于等于1!" << Input::Ratio << "";
    QTest::newRow("negative") << "钻石"
                              << "-0.5"
                              << "折扣非法,大于0并且小于等于1!" << Input::Ratio << "";
    QTest::newRow("one") << "钻石"
                         << "1"
                         << "更新成功!" << Input::None << "1.00";
    QTest::newRow("two decimals") << "钻'石"
                                  << "0.875"
                                  << "更新成功!" << Input::None << "0.88";
}

void TestMemberLevelSettings::ratio()
{
    QFETCH(QString, name);
    QFETCH(QString, ratio);
    QFETCH(QString, message);
    QFETCH(Input, input);
    QFETCH(QString, stored);
    const MemberLevelSettings::Result result = m_levels->add(name, ratio);
    QCOMPARE(bool(result), !stored.isEmpty());
    QCOMPARE(result.input, input);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    const QList<QStringList> rows = m_levels->rows();
    QCOMPARE(rows.size(), stored.isEmpty() ? 3 : 4);
    if (!stored.isEmpty())
        QCOMPARE(rows.last(), QStringList({"4", name, stored}));
}

void TestMemberLevelSettings::changeRewritesTheLevel()
{
    QVERIFY(m_levels->change(2, QStringLiteral("白银"), QStringLiteral("0.9")));
    QCOMPARE(m_levels->rows().at(1), QStringList({"2", "白银", "0.90"}));
    QVERIFY(!m_levels->change(2, QStringLiteral("白银"), QStringLiteral("2")));
    QCOMPARE(m_levels->rows().at(1), QStringList({"2", "白银", "0.90"}));
    QCOMPARE(m_t->prompt.texts(), QStringList({"更新成功!", "折扣非法,大于0并且小于等于1!"}));

    QVERIFY(!m_levels->mayChange(0));
    QCOMPARE(m_t->prompt.last(), QStringLiteral("请选定要修改的会员等级!"));
}

void TestMemberLevelSettings::removal_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("left");
    const QString done = QStringLiteral("删除成功，已经使用的等级不会被删除!");
    QTest::newRow("none selected") << 0 << "请选定要删除的会员等级!" << QStringList{"金卡", "银卡", "普通"};
    QTest::newRow("in use, kept") << 1 << done << QStringList{"金卡", "银卡", "普通"};
    // A member without a level must not keep every level.
    QTest::newRow("unused, deleted") << 2 << done << QStringList{"金卡", "普通"};
}

void TestMemberLevelSettings::removal()
{
    QFETCH(int, id);
    QFETCH(QString, message);
    QFETCH(QStringList, left);
    QCOMPARE(m_levels->remove(id), left.size() == 2);
    QCOMPARE(m_t->prompt.texts(), QStringList{message});
    QStringList names;
    for (const MemberLevelSettings::Level& level : m_levels->levels())
        names << level.name;
    QCOMPARE(names, left);
}

PELVAR_TEST(TestMemberLevelSettings)
#include "tst_MemberLevelSettings.moc"
