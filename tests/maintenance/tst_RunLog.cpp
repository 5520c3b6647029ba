#include "CPrintListReportCtrl.h"
#include "RunLogDialog.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QPushButton>
#include <QTest>

class TestRunLog : public QObject
{
    Q_OBJECT
private slots:
    void emptyingLeavesEntryOne();
};

void TestRunLog::emptyingLeavesEntryOne()
{
    SettingsPageFixture f;
    f.t.exec(
        QStringLiteral("insert into log(log, date) values('用户“经理”登陆系统', '2026-12-06 09:05:03')"));
    f.t.exec(QStringLiteral("insert into log(log) values('用户“经理”退出系统')"));
    RunLogDialog dialog(f.t.db, f.t.prompt, f.printer, QStringLiteral("系统管理员"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.list()->rowCount(), 2);
    QCOMPARE(dialog.list()->cellText(0, 2), QStringLiteral("2026-12-06 09:05:03"));

    f.t.prompt.answer(Prompt::Answer::No);
    buttonOf(&dialog, QStringLiteral("清  空"))->click();
    QCOMPARE(dialog.list()->rowCount(), 2);
    f.t.prompt.answer(Prompt::Answer::Yes);
    buttonOf(&dialog, QStringLiteral("清  空"))->click();
    QCOMPARE(f.t.prompt.texts().mid(1), (QStringList{"你真的删除运行日志吗？", "清空日志完毕!"}));
    QCOMPARE(dialog.list()->rowCount(), 1);
    QCOMPARE(dialog.list()->cellText(0, 0) + dialog.list()->cellText(0, 1),
             QStringLiteral("1用户“系统管理员”清空日志"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

PELVAR_TEST(TestRunLog)
#include "tst_RunLog.moc"
