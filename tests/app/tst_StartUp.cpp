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
    void cleanup() { Clock::clearFixed(); }

    void startUp_data();
    void startUp();
    void demoRestaurantOnlyInANewDatabase();
    void oneRunningCopyPerDataFolder();
    void lockOfACrashedCopyDoesNotBlock();
    void exitEntryNamesTheOperator();
    void restaurantDialogReadsAndWrites();
    void processSpeaksChinese();

private:
    QTemporaryDir m_settings;
};

void TestStartUp::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

// What the data folder holds before start-up, and how start-up ends: the title, or the message.
void TestStartUp::startUp_data()
{
    QTest::addColumn<QString>("statement"); // run on a database made before; "" for no file
    QTest::addColumn<QByteArray>("file");   // or this file in the database's place
    QTest::addColumn<QString>("title");     // "" when start-up ends
    QTest::addColumn<QString>("message");
    const QString title = QStringLiteral("Orvo餐饮收银系统 V2.5—");
    QTest::newRow("new folder") << "" << QByteArray() << title + "我的餐厅"
                                << "";
    QTest::newRow("null name") << "update gs set gsmc=null" << QByteArray() << title << "";
    QTest::newRow("two rows: the first")
        << "insert into gs(gsmc) values('二')" << QByteArray() << title + "我的餐厅"
        << "";
    QTest::newRow("no restaurant row") << "delete * from gs" << QByteArray() << ""
                                       << "读取数据库文件错误!";
    QTest::newRow("not a database") << "" << QByteArray("这不是数据库 a note\n").repeated(100) << ""
                                    << "file is not a database";
}

void TestStartUp::startUp()
{
    QFETCH(QString, statement);
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"));
    if (!statement.isEmpty()) {
        ScriptedPrompt prompt;
        Database db(prompt);
        db.open(path);
        db.ExecuteSql(statement);
    }
    if (!file.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QCOMPARE(app.openData(), !title.isEmpty());
    QCOMPARE(prompt.texts().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(prompt.last().contains(message), qPrintable(prompt.last()));
    if (!title.isEmpty())
        QCOMPARE(app.mainTitle(), title);
    if (!file.isEmpty())
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
        auto scalar = [&app](const char* sql) {
            Recordset rs = app.db().query(QString::fromUtf8(sql));
            return rs.isEOF() ? QString() : rs.value(0).toString();
        };
        QCOMPARE(scalar("select count(*) from cz"), QStringLiteral("21"));
        QCOMPARE(scalar("select xmpy from xm where xmm='宫保鸡丁'"), QStringLiteral("GBJD"));
        QCOMPARE(scalar("select xb||' '||csrq from fws where xm='李强'"), QStringLiteral("男 1993-11-25"));
        QCOMPARE(scalar("select count(*) from hy where xb='' or sr is null or phone='' or kh=''"),
                 QStringLiteral("0"));
        // Today's booking lies in the shift running now, so the board shows the table reserved.
        QCOMPARE(scalar(qPrintable(QStringLiteral("select count(*) from yd where zt='已订' and yybcbh=") +
                                   app.db().GetCurrentShiftId())),
                 QStringLiteral("1"));
        // A cashier and a manager beside the administrator, with limits, and their passwords.
        OperatorAccounts accounts(app.db(), prompt);
        // The administrator stays first in the login list, as the empty password expects.
        QCOMPARE(accounts.names(), QStringList({"系统管理员", "郑丽", "陈经理"}));
        Operator cashier;
        Operator manager;
        QVERIFY(accounts.login(QStringLiteral("郑丽"), QStringLiteral("1111"), cashier));
        QVERIFY(accounts.login(QStringLiteral("陈经理"), QStringLiteral("2222"), manager));
        QVERIFY(cashier.may(Right::Jzqx) && !cashier.may(Right::Fjqx) && !cashier.may(Right::Czyqx));
        QVERIFY(manager.may(Right::Fjqx) && manager.may(Right::Symxqx) && !manager.may(Right::Sjqlqx));
        QCOMPARE(cashier.lowestDiscount() + QLatin1Char('/') + cashier.largestRoundOff(),
                 QStringLiteral("0.9/5"));
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
}

void TestStartUp::oneRunningCopyPerDataFolder()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    auto first = std::make_unique<CPelvarApp>(prompt, dir.path());
    QVERIFY(first->openData());
    {
        ScriptedPrompt secondPrompt;
        CPelvarApp second(secondPrompt, dir.path());
        QVERIFY(!second.openData());
        QCOMPARE(secondPrompt.texts(), QStringList{QStringLiteral("该程序已经启动")});
    }
    // The second copy's end leaves the first one's lock and connection alone.
    QCOMPARE(first->db().query(QStringLiteral("select count(*) from gs")).value(0).toInt(), 1);
    QVERIFY(!CPelvarApp(prompt, dir.path()).openData());
    QTemporaryDir other;
    QVERIFY(CPelvarApp(prompt, other.path()).openData());
    first.reset();
    QVERIFY(CPelvarApp(prompt, dir.path()).openData());
}

void TestStartUp::lockOfACrashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString lockPath = QDir(dir.path()).filePath(QStringLiteral("Pelvar.lock"));
    // A lock as a running copy writes it, naming a process that has ended.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QByteArray lockText;
    {
        QLockFile lock(lockPath);
        QVERIFY(lock.tryLock(0));
        lockText = contents(lockPath);
    }
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(pid) + lockText.mid(lockText.indexOf('\n')));
    file.close();

    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    QVERIFY(prompt.texts().isEmpty());
}

void TestStartUp::exitEntryNamesTheOperator()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    Operator op;
    QVERIFY(OperatorAccounts(app.db(), prompt).login(QStringLiteral("系统管理员"), QString(), op));
    app.setCurrentOperator(op);
    app.logExit();
    QCOMPARE(app.db().query(QStringLiteral("select log from log order by logid desc")).value(0).toString(),
             QStringLiteral("用户“系统管理员”退出系统"));
}

void TestStartUp::restaurantDialogReadsAndWrites()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set lxdh='0731-1234', dz='解放路1号'"));
    CRestaurantDlg dialog(t.db);
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
    QCOMPARE(fields.at(0)->text() + fields.at(1)->text() + fields.at(2)->text(),
             QStringLiteral("我的餐厅0731-1234解放路1号"));
    fields.at(0)->setText(QStringLiteral("老王's 饭店"));
    fields.at(2)->clear();
    dialog.show();
    QTest::keyClick(fields.at(0), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    RestaurantInfo info;
    QVERIFY(info.read(t.db));
    QCOMPARE(info.name + info.phone + info.address, QStringLiteral("老王's 饭店0731-1234"));
}

// Standard buttons in Chinese, and the program's title where a window has no title of its own.
void TestStartUp::processSpeaksChinese()
{
    CPelvarApp::prepareProcess();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Orvo餐饮收银系统"));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    QVERIFY(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
    QVERIFY(box.button(QDialogButtonBox::Cancel)->text().startsWith(QStringLiteral("取消")));
}

PELVAR_TEST(TestStartUp)
#include "tst_StartUp.moc"
