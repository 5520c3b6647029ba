#include "MemberSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QTest>

class TestMemberSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rowsFollowTheListsColumns();
    void search_data();
    void search();
    void addAndChange();
    void checks_data();
    void checks();
    void removal_data();
    void removal();

private:
    TestDatabase* m_t = nullptr;
    MemberSettings* m_members = nullptr;
};

void TestMemberSettings::init()
{
    m_t = new TestDatabase;
    m_members = new MemberSettings(m_t->db, m_t->prompt);
    m_t->exec(QStringLiteral("insert into hydj (djmc, zq) values ('金卡', 0.8), ('银卡', 0.95)"));
    m_t->exec(QStringLiteral("insert into hy (xm, xmpy, xb, sr, phone, hydj, kh, bz, xfze) values "
                             "('张三', 'ZS', '男', '1980-05-01', '1391', 1, 'K100', '', 1234.5), "
                             "('1号客', '1HK', '女', '1990-01-02', '', 2, 'K200', '常客', 0), "
                             "('李四', 'LS', '男', '1985-07-08', '', 2, '2100', '', 0), "
                             "('王五', 'WW', '', null, '', 1, '', '', 0)"));
    // Member 1 has a settled bill.
    m_t->exec(QStringLiteral("insert into jzhz (zdh, czm, hybh) values ('202612060001', 'A1', 1)"));
}

void TestMemberSettings::cleanup()
{
    delete m_members;
    delete m_t;
}

void TestMemberSettings::rowsFollowTheListsColumns()
{
    const QList<QStringList> rows = m_members->rows();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0), QStringList({"1", "张三", "ZS", "男", "1980-05-01", "1234.50", "1391", "金卡",
                                      "0.80", "K100", ""}));
    QCOMPARE(rows.at(3).at(MemberSettings::Birthday), QString());
    QCOMPARE(MemberSettings::kColumns.split(QLatin1Char(';')).size(), int(MemberSettings::ColumnCount));
    QCOMPARE(MemberSettings::kQueryColumns.split(QLatin1Char(';')).size(), int(MemberSettings::ColumnCount));
}

void TestMemberSettings::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("1: name, initials, number or card beginning with 1") << "1" << QStringList{"1", "2"};
    QTest::newRow("2: number or card") << "2" << QStringList{"2", "3"};
    QTest::newRow("card K") << "K" << QStringList{"1", "2"};
    QTest::newRow("initials") << "L" << QStringList{"3"};
    QTest::newRow("name") << "王" << QStringList{"4"};
    QTest::newRow("only the beginning") << "S" << QStringList{};
    QTest::newRow("a quote") << "'" << QStringList{};
    QTest::newRow("empty: all") << "" << QStringList{"1", "2", "3", "4"};
}

void TestMemberSettings::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    QStringList found;
    for (const QStringList& row : m_members->rows(text))
        found << row.at(MemberSettings::Number);
    QCOMPARE(found, numbers);
    QCOMPARE(m_t->prompt.texts(), QStringList());
}

void TestMemberSettings::addAndChange()
{
    MemberSettings::Member member{QStringLiteral("赵'六"), QStringLiteral("ZL"),   QStringLiteral("女"),
                                  QDate(2000, 2, 29),      QStringLiteral("1380"), 2,
                                  QStringLiteral("K9"),    QStringLiteral("备注")};
    QVERIFY(m_members->add(member));
    QCOMPARE(m_members->rows().last(), QStringList({"5", "赵'六", "ZL", "女", "2000-02-29", "0.00", "1380",
                                                    "银卡", "0.95", "K9", "备注"}));

    member.name = QStringLiteral("赵七");
    member.level = 1;
    member.birthday = QDate(2001, 3, 1);
    QVERIFY(m_members->change(5, member));
    QCOMPARE(m_members->rows().last(), QStringList({"5", "赵七", "ZL", "女", "2001-03-01", "0.00", "1380",
                                                    "金卡", "0.80", "K9", "备注"}));
    const MemberSettings::Member read = m_members->read(5);
    QCOMPARE(read.level, 1);
    QCOMPARE(read.birthday, QDate(2001, 3, 1));
    QCOMPARE(m_t->prompt.texts(), QStringList());
}

void TestMemberSettings::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "" << 0 << "会员姓名不能为空!";
    QTest::newRow("no level") << "赵六" << 0 << "会员等级不能为空!";
}

void TestMemberSettings::checks()
{
    QFETCH(QString, name);
    QFETCH(int, level);
    QFETCH(QString, message);
    MemberSettings::Member member;
    member.name = name;
    member.level = level;
    QVERIFY(!m_members->add(member));
    QVERIFY(!m_members->change(2, member));
    QCOMPARE(m_t->prompt.texts(), QStringList(2, message));
    QCOMPARE(m_members->rows().size(), 4);
    QCOMPARE(m_members->rows().at(1).at(MemberSettings::Name), QStringLiteral("1号客"));
}

void TestMemberSettings::removal_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("left");
    const QString question = QStringLiteral("是否真的要删除此会员!");
    QTest::newRow("none selected") << 0 << Prompt::Answer::Yes << QStringList{"请选定要删除的会员!"} << 4;
    QTest::newRow("answered no") << 2 << Prompt::Answer::No << QStringList{question} << 4;
    QTest::newRow("has a bill") << 1 << Prompt::Answer::Yes
                                << QStringList{question, "此会员已经产生消费，不能删除!"} << 4;
    QTest::newRow("no bill") << 2 << Prompt::Answer::Yes << QStringList{question} << 3;
}

void TestMemberSettings::removal()
{
    QFETCH(int, number);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QStringList, messages);
    QFETCH(int, left);
    m_t->prompt.answer(answer);
    QCOMPARE(m_members->remove(number), left == 3);
    QCOMPARE(m_t->prompt.texts(), messages);
    QCOMPARE(m_members->rows().size(), left);
}

PELVAR_TEST(TestMemberSettings)
#include "tst_MemberSettings.moc"
