#include "MemberSearch.h"
#include "Restaurant.h"
#include "TestMain.h"

#include <QTest>

class tst_MemberSearch : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
};

void tst_MemberSearch::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("initials") << "ZS" << QStringList{QStringLiteral("张三")};
    QTest::newRow("number") << "2" << QStringList{QStringLiteral("李四")};
    QTest::newRow("name") << "王" << QStringList{QStringLiteral("王五")};
    QTest::newRow("card") << "K1" << QStringList{QStringLiteral("张三"), QStringLiteral("李四")};
    QTest::newRow("blanks and quotes removed") << " Z'S " << QStringList{QStringLiteral("张三")};
    QTest::newRow("empty finds nobody") << " ' " << QStringList{};
    QTest::newRow("no match") << "Q" << QStringList{};
}

void tst_MemberSearch::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    TestDatabase t;
    t.exec(QStringLiteral("insert into hydj(djmc,zq) values('金卡',0.8)"));
    t.exec(QStringLiteral("insert into hy(xm,xmpy,xb,hydj,kh) values('张三','ZS','男',1,'K100')"));
    t.exec(QStringLiteral("insert into hy(xm,xmpy,xb,hydj,kh) values('李四','LS','女',1,'K101')"));
    t.exec(QStringLiteral("insert into hy(xm,xmpy,xb,hydj,kh) values('王五','WW','男',1,'M200')"));
    MemberSearch search(t.db);

    QStringList found;
    for (const MemberSearch::Member& m : search.search(text))
        found << m.name;
    QCOMPARE(found, names);
    QCOMPARE(search.all().size(), 3);
    const MemberSearch::Member first = search.all().first();
    QCOMPARE(first.level, QStringLiteral("金卡"));
    QCOMPARE(first.ratio, QStringLiteral("0.80"));
    QCOMPARE(first.card, QStringLiteral("K100"));
    QVERIFY(!search.find(QStringLiteral("9")));
    QVERIFY(t.prompt.texts().isEmpty());
}

PELVAR_TEST(tst_MemberSearch)
#include "tst_MemberSearch.moc"
