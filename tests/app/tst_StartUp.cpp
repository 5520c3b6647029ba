#include "Clock.h"
#include "ConsumptionList.h"
#include "CPelvarApp.h"
#include "CRestaurantDlg.h"
#include "EntryFile.h"
#include "OperatorAccounts.h"
#include "RestaurantInfo.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startUp_data();
    void startUp();
    void demoRestaurantOnlyInANewDatabase();
    void oneRunningCopyPerDataFolder();
    void exitEntryAndRestaurantDialog();
    void processSpeaksChinese();

private:
    QTemporaryDir m_settings;
};

void TestStartUp::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

// What the data folder holds before start-up (a statement run on a database made before, or a
// file that is not one), and how start-up ends: the title, or the message.
void TestStartUp::startUp_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("outcome");
    const QString title = QStringLiteral("title:Orvo餐饮收银系统 V2.5—");
    QTest::newRow("new folder") << QString() << title + "我的餐厅";
    QTest::newRow("null name") << "update gs set gsmc=null" << title;
    QTest::newRow("two rows: the first") << "insert into gs(gsmc) values('二')" << title + "我的餐厅";
    QTest::newRow("no restaurant row") << "delete * from gs" << QStringLiteral("读取数据库文件错误!");
    QTest::newRow("not a database") << "file:这不是数据库 a note" << QStringLiteral("file is not a database");
}

void TestStartUp::startUp()
{
    QFETCH(QString, before);
    QFETCH(QString, outcome);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"));
    const QByteArray file =
        before.startsWith(QLatin1String("file:")) ? before.mid(5).toUtf8().repeated(100) : "";
    if (!file.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    } else if (!before.isEmpty()) {
        ScriptedPrompt prompt;
        Database db(prompt);
        db.open(path);
        db.ExecuteSql(before);
    }
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    const bool runs = outcome.startsWith(QLatin1String("title:"));
    QCOMPARE(app.openData(), runs);
    QCOMPARE(runs ? QStringLiteral("title:") + app.mainTitle() : prompt.texts().join('|'), outcome);
    if (!file.isEmpty()) // and left as it was
        QCOMPARE(contents(path), file);
}

void TestStartUp::demoRestaurantOnlyInANewDatabase()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    {
        CPelvarApp app(prompt, dir.path());
        QVERIFY(app.openData(true));
        QCOMPARE(app.restaurantName(), QStringLiteral("Orvo示例餐厅"));
        auto scalar = [&app](const QString& sql) { return app.db().query(sql).value(0).toString(); };
        QCOMPARE(scalar("select count(*) from cz"), QStringLiteral("21"));
        QCOMPARE(scalar("select xmpy from xm where xmm='宫保鸡丁'"), QStringLiteral("GBJD"));
        QCOMPARE(scalar("select xb||' '||csrq from fws where xm='李强'"), QStringLiteral("男 1993-11-25"));
        QCOMPARE(scalar("select count(*) from hy where xb='' or sr is null or phone='' or kh=''"), "0");
        // Today's booking lies in the shift running now, so the board shows the table reserved.
        QCOMPARE(scalar("select count(*) from yd where zt='已订' and yybcbh=" + app.db().GetCurrentShiftId()),
                 "1");
        // A cashier and a manager beside the administrator, who stays first in the login list.
        OperatorAccounts accounts(app.db(), prompt);
        QCOMPARE(accounts.names(), QStringList({"系统管理员", "郑丽", "陈经理"}));
        Operator cashier;
        Operator manager;
        QVERIFY(accounts.login(QStringLiteral("郑丽"), QStringLiteral("1111"), cashier));
        QVERIFY(accounts.login(QStringLiteral("陈经理"), QStringLiteral("2222"), manager));
        QVERIFY(cashier.may(Right::Jzqx) && !cashier.may(Right::Fjqx) && !cashier.may(Right::Czyqx));
        QVERIFY(manager.may(Right::Fjqx) && manager.may(Right::Symxqx) && !manager.may(Right::Sjqlqx));
        QVERIFY(prompt.texts().isEmpty());
    }
    // The ordering screen's lists, in the files the program keeps beside the database.
    QVERIFY(
        EntryFile(dir.path(), ConsumptionList::kTasteFile).entries().contains(QStringLiteral("不要香菜")));
    QVERIFY(EntryFile(dir.path(), ConsumptionList::kReturnReasonFile)
                .entries()
                .contains(QStringLiteral("上错菜")));
    // A database that exists keeps its own data.
    QTemporaryDir plain;
    for (bool demo : {false, true}) {
        CPelvarApp app(prompt, plain.path());
        QVERIFY(app.openData(demo));
        QCOMPARE(app.restaurantName(), QStringLiteral("我的餐厅"));
    }
    Clock::clearFixed();
}

// A second copy on the same folder ends and leaves the first alone; a lock left by a copy that
// crashed does not keep the next one out.
void TestStartUp::oneRunningCopyPerDataFolder()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    auto first = std::make_unique<CPelvarApp>(prompt, dir.path());
    QVERIFY(first->openData());
    QVERIFY(!CPelvarApp(prompt, dir.path()).openData());
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("该程序已经启动")});
    QCOMPARE(first->db().query(QStringLiteral("select count(*) from gs")).value(0).toInt(), 1);
    QTemporaryDir other;
    QVERIFY(CPelvarApp(prompt, other.path()).openData());
    first.reset();

    // The lock as the first copy wrote it, naming a process that has ended.
    const QString lockPath = QDir(dir.path()).filePath(QStringLiteral("Pelvar.lock"));
    QByteArray lockText;
    {
        QLockFile lock(lockPath);
        QVERIFY(lock.tryLock(0));
        lockText = contents(lockPath);
    }
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(pid) + lockText.mid(lockText.indexOf('\n')));
    file.close();
    QVERIFY(CPelvarApp(prompt, dir.path()).openData());
    QCOMPARE(prompt.texts().size(), 1);
}

void TestStartUp::exitEntryAndRestaurantDialog()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set lxdh='0731-1234', dz='解放路1号'"));
    CRestaurantDlg dialog(t.db);
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
    QCOMPARE(fields.at(0)->text() + fields.at(1)->text() + fields.at(2)->text(),
             "我的餐厅0731-1234解放路1号");
    fields.at(0)->setText(QStringLiteral("老王's 饭店"));
    fields.at(2)->clear();
    dialog.show();
    QTest::keyClick(fields.at(0), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    RestaurantInfo info;
    QVERIFY(info.read(t.db));
    QCOMPARE(info.name + info.phone + info.address, QStringLiteral("老王's 饭店0731-1234"));

    CPelvarApp app(t.prompt, t.folder());
    QVERIFY(app.openData());
    Operator op;
    QVERIFY(OperatorAccounts(app.db(), t.prompt).login(QStringLiteral("系统管理员"), QString(), op));
    app.setCurrentOperator(op);
    app.logExit();
    QCOMPARE(t.scalar("select log from log order by logid desc"), QStringLiteral("用户“系统管理员”退出系统"));
}

// Standard buttons in Chinese, and the program's title where a window has no title of its own.
void TestStartUp::processSpeaksChinese()
{
    CPelvarApp::prepareProcess();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Orvo餐饮收银系统"));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    QVERIFY(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
    QVERIFY(box.button(QDialogButtonBox::Cancel)->text().startsWith(QStringLiteral("取消")));
}

PELVAR_TEST(TestStartUp)
#include "tst_StartUp.moc"
