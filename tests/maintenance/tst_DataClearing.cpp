#include "CSjQl.h"
#include "DatabaseCompaction.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kTables = {"fj", "cz", "xm", "xfmx", "jzhz", "hy", "dj", "yd", "fws", "log", "zcsr"};
const QString kQuestion = QStringLiteral("你真的要清理所选数据表吗？清理后所选数据表将删除所有数据！");

} // namespace

class TestDataClearing : public QObject
{
    Q_OBJECT
private slots:
    void clear_data();
    void clear();
    void failureUndoesEveryGroup();
    void compaction();
};

void TestDataClearing::clear_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QStringList>("emptied");
    QTest::newRow("none") << -1 << true << QStringList();
    QTest::newRow("without the right") << 1 << false << QStringList();
    const QStringList groups[] = {{"fj", "cz"}, {"xm"}, {"xfmx"}, {"jzhz"}, {"hy"},
                                  {"dj"},       {"yd"}, {"fws"},  {"log"},  {"zcsr"}};
    for (int i = 0; i < 10; ++i)
        QTest::newRow(qPrintable(DataClearing::groups().at(i).label)) << i << true << groups[i];
}

void TestDataClearing::clear()
{
    QFETCH(int, group);
    QFETCH(bool, allowed);
    QFETCH(QStringList, emptied);
    TestDatabase t;
    for (const char* statement :
         {"insert into fj(fjm) values('大厅')", "insert into cz(czm, fjm) values('A1', '大厅')",
          "insert into xm(xmbh, xmm) values(1, '茶')", "insert into xfmx(czm) values('A1')",
          "insert into jzhz(zdh) values('202612060001')", "insert into hy(xm) values('王')",
          "insert into dj(djbh) values('1')", "insert into yd(ydbh) values('1')",
          "insert into fws(xm) values('李')", "insert into log(log) values('登陆')",
          "insert into zcsr(xmm) values('房租')",
          // Free pages that only a compaction gives back.
          "create table junk(x)", "insert into junk values(randomblob(200000))", "drop table junk"})
        t.exec(QString::fromUtf8(statement));
    CSjQl page(t.db, t.prompt, QStringLiteral("经理"), [allowed] { return allowed; });
    QCOMPARE(page.boxes().size(), 10);
    if (group >= 0)
        page.boxes().at(group)->setChecked(true);
    t.prompt.answer(Prompt::Answer::Yes);
    buttonOf(&page, QStringLiteral("数据清空"))->click();

    for (const QString& table : kTables)
        if (table != QLatin1String("log"))
            QCOMPARE(t.scalar(QStringLiteral("select count(*) from ") + table),
                     emptied.contains(table) ? "0" : "1");
    if (!allowed) {
        QVERIFY(t.prompt.texts().isEmpty());
        return;
    }
    QCOMPARE(t.prompt.texts(), (QStringList{kQuestion, QStringLiteral("清空完毕!")}));
    // The clearing's own entry comes after the delete, and numbering goes on.
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(logid || log, ',') from log")),
             emptied.contains("log") ? "2用户“经理”清空数据" : "1登陆,2用户“经理”清空数据");
    QCOMPARE(t.scalar(QStringLiteral("pragma freelist_count")), QStringLiteral("0"));
}

void TestDataClearing::failureUndoesEveryGroup()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
    t.exec(QStringLiteral("insert into hy(xm) values('王')"));
    t.exec(QStringLiteral("create trigger keep before delete on hy begin select raise(abort, 'kept'); end"));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(!DataClearing(t.db, t.prompt).clear({0, 4}, QStringLiteral("经理")));
    QCOMPARE(t.prompt.last(), QStringLiteral("数据清空发生错误，错误原因：kept"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("1"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from log")), QStringLiteral("0"));
}

void TestDataClearing::compaction()
{
    TestDatabase t;
    QVERIFY(DatabaseCompaction(t.db, t.prompt).compact());
    QCOMPARE(t.prompt.last(), QStringLiteral("数据库压缩/修复完毕!"));
    t.db.begin();
    t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
    QVERIFY(!DatabaseCompaction(t.db, t.prompt).compact());
    QCOMPARE(t.prompt.last(),
             QStringLiteral("数据库压缩/修复错误，错误原因：cannot VACUUM from within a transaction"));
    t.db.commit();
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("1"));
}

PELVAR_TEST(TestDataClearing)
#include "tst_DataClearing.moc"
