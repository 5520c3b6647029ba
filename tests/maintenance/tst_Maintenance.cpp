#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CSjQl.h"
#include "RunLogDialog.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

// A row in every table that clearing empties, in the order of its groups.
const char* const kRows[] = {
    "fj (fjm) values('大厅')",  "cz (czm) values('A1')",  "xm (xmbh, xmm) values(1, '茶')",
    "xfmx default values",      "jzhz (zdh) values('1')", "hy (xm) values('王')",
    "dj (djbh) values('1')",    "yd default values",      "fws default values",
    "log (log) values('登陆')", "zcsr default values"};

} // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void clear_data();
    void clear();
    void clearingFailsAsAWhole();
    void occupiedTablesKeepTheirOrders_data();
    void occupiedTablesKeepTheirOrders();
    void emptyingTheRunLogLeavesEntryOne();
};

void TestMaintenance::clear_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("emptied");
    QTest::newRow("none") << -1 << "";
    const char* const emptied[] = {"fj cz", "xm", "xfmx", "jzhz", "hy", "dj", "yd", "fws", "log", "zcsr"};
    for (int i = 0; i < 10; ++i)
        QTest::newRow(qPrintable(DataClearing::groups().at(i).label)) << i << emptied[i];
}

void TestMaintenance::clear()
{
    QFETCH(int, group);
    QFETCH(QString, emptied);
    TestDatabase t;
    for (const char* row : kRows)
        t.exec(QStringLiteral("insert into ") + QString::fromUtf8(row));
    // Free pages that only a compaction gives back.
    for (const char* junk :
         {"create table junk(x)", "insert into junk values(randomblob(200000))", "drop table junk"})
        t.exec(QString::fromUtf8(junk));
    CSjQl page(t.db, t.prompt, QStringLiteral("经理"), [] { return true; });
    if (group >= 0)
        page.boxes().at(group)->setChecked(true);
    t.prompt.answer(Prompt::Answer::Yes);
    buttonOf(&page, QStringLiteral("数据清空"))->click();

    for (const char* row : kRows) {
        const QString table = QString::fromUtf8(row).section(' ', 0, 0);
        if (table != QLatin1String("log"))
            QCOMPARE(t.scalar(QStringLiteral("select count(*) from ") + table),
                     emptied.split(' ').contains(table) ? "0" : "1");
    }
    QCOMPARE(t.prompt.texts().join('|'),
             "你真的要清理所选数据表吗？清理后所选数据表将删除所有数据！|清空完毕!");
    // The clearing's own entry comes after the delete, and the numbering goes on.
    QCOMPARE(t.scalar(QStringLiteral("select group_concat(logid || log, ',') from log")),
             emptied == "log" ? "2用户“经理”清空数据" : "1登陆,2用户“经理”清空数据");
    QCOMPARE(t.scalar(QStringLiteral("pragma freelist_count")), QStringLiteral("0"));
}

void TestMaintenance::clearingFailsAsAWhole()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
    t.exec(QStringLiteral("insert into hy(xm) values('王')"));
    t.exec(QStringLiteral("create trigger keep before delete on hy begin select raise(abort, 'kept'); end"));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(!DataClearing(t.db, t.prompt).clear({0, 4}, QStringLiteral("经理")));
    QCOMPARE(t.prompt.last(), QStringLiteral("数据清空发生错误，错误原因：kept"));
    QCOMPARE(t.scalar(QStringLiteral("select (select count(*) from fj) || (select count(*) from log)")),
             "10");
}

void TestMaintenance::occupiedTablesKeepTheirOrders_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("refused");
    for (int i = 0; i < DataClearing::groups().size(); ++i)
        QTest::newRow(qPrintable(DataClearing::groups().at(i).label)) << i << (i == 2 || i == 3 || i == 5);
}

void TestMaintenance::occupiedTablesKeepTheirOrders()
{
    QFETCH(int, group);
    QFETCH(bool, refused);
    TestDatabase t;
    t.exec(QStringLiteral("insert into cz(czm,zyzt) values('A2','占用'),('A1','占用'),('B1','空闲')"));
    t.exec(QStringLiteral("insert into dj(djbh,czm,xfzt) values('1','A1','在店')"));
    t.exec(QStringLiteral("insert into xfmx(czm,xfxm,sl) values('A1','茶',1)"));
    t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(DataClearing(t.db, t.prompt).clear({group}, QStringLiteral("经理")), !refused);
    if (refused)
        QCOMPARE(t.prompt.texts(), QStringList{DataClearing::kTablesOccupied.arg("A1、A2")});
    // The open order is still there for its checkout.
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from xfmx")), "1");
}

void TestMaintenance::emptyingTheRunLogLeavesEntryOne()
{
    SettingsPageFixture f;
    f.t.exec(
        QStringLiteral("insert into log(log, date) values('用户“经理”登陆系统', '2026-12-06 09:05:03')"));
    f.t.exec(QStringLiteral("insert into log(log) values('用户“经理”退出系统')"));
    RunLogDialog dialog(f.t.db, f.t.prompt, f.printer, QStringLiteral("系统管理员"));
    QCOMPARE(dialog.list()->cellText(0, 2), QStringLiteral("2026-12-06 09:05:03"));
    for (const Prompt::Answer answer : {Prompt::Answer::No, Prompt::Answer::Yes}) {
        f.t.prompt.answer(answer);
        buttonOf(&dialog, QStringLiteral("清  空"))->click();
    }
    QCOMPARE(f.t.prompt.texts().mid(1), (QStringList{"你真的删除运行日志吗？", "清空日志完毕!"}));
    QCOMPARE(dialog.list()->rowCount(), 1);
    QCOMPARE(dialog.list()->cellText(0, 0) + dialog.list()->cellText(0, 1), "1用户“系统管理员”清空日志");
}

PELVAR_TEST(TestMaintenance)
#include "tst_Maintenance.moc"
