#include "Clock.h"
#include "ConsumptionList.h"
#include "CPelvarApp.h"
#include "CRestaurantDlg.h"
#include "DataFolder.h"
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
    void serverOutOfReach();
    void oneRunningCopyPerDataFolder();
    void missingDatabaseIsNotMadeAnew_data();
    void missingDatabaseIsNotMadeAnew();
    void restaurantDialog();
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
    QFile out(path);
    if (!file.isEmpty() && out.open(QIODevice::WriteOnly))
        out.write(file);
    out.close();
    if (!before.isEmpty() && file.isEmpty()) {
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

// The folder names a server that does not answer: the program says why and goes no further.
void TestStartUp::serverOutOfReach()
{
    QTemporaryDir dir;
    const QString server = QStringLiteral("postgresql://pelvar@127.0.0.1:1/restaurant");
    DataFolder::keepDatabaseSetting({QStringLiteral("pelvar"), QStringLiteral("--database"), server}, dir.path());
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(!app.openData());
    QCOMPARE(prompt.texts().size(), 1);
    // The reason is libpq's, in the language of the machine.
    const QString said = prompt.texts().first();
    const QString opening = QStringLiteral("无法连接数据库服务器 ") + server + QStringLiteral("：");
    QVERIFY2(said.startsWith(opening) && said.size() > opening.size() + 10 && said.contains(QStringLiteral("127.0.0.1")),
             qPrintable(said));
    QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"))));
}

void TestStartUp::demoRestaurantOnlyInANewDatabase()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    {
        CPelvarApp app(prompt, dir.path());
        QVERIFY(app.openData(true));
        auto scalar = [&app](const QString& sql) { return app.db().query(sql).value(0).toString(); };
        QCOMPARE(scalar("select count(*) from cz") + scalar("select xmpy from xm where xmm='宫保鸡丁'"),
                 "21GBJD");
        QCOMPARE(scalar("select xb||csrq from fws where xm='李强'"), QStringLiteral("男1993-11-25"));
        // Every dish carries its category's discount flag: drinks take no member's discount.
        QCOMPARE(scalar("select count(*) from xm join lb using (lbm) where xm.sfdz<>lb.sfdz") +
                     scalar("select sfdz from xm where xmm='青岛啤酒'"),
                 "00");
        // The receipt prints the first title, the restaurant's name and the second title: three texts.
        QCOMPARE(scalar("select count(*) from dysz, gs where bt1='' or bt2='' or bt1 in (gsmc, bt2) or bt2=gsmc"),
                 "0");
        QCOMPARE(scalar("select count(*) from hy where xb='' or sr is null or phone='' or kh=''"), "0");
        // Today's booking lies in the shift running now, so the board shows the table reserved.
        QCOMPARE(scalar("select count(*) from yd where yybcbh=" + app.db().GetCurrentShiftId()), "1");
        // A cashier and a manager beside the administrator, who stays first in the login list.
        OperatorAccounts accounts(app.db(), prompt);
        QCOMPARE(accounts.names(), QStringList({"系统管理员", "郑丽", "陈经理"}));
        // The demo's 系统管理员 has no password either: it sets one before the cashier logs in.
        Operator cashier;
        QVERIFY(!accounts.login(QStringLiteral("郑丽"), QStringLiteral("1111"), cashier));
        QCOMPARE(prompt.last(), OperatorAccounts::kAdministratorFirst);
        Operator admin;
        QVERIFY(accounts.setFirstPassword(QStringLiteral("系统管理员"), "pw", "pw", admin));
        QVERIFY(accounts.login(QStringLiteral("郑丽"), QStringLiteral("1111"), cashier));
        QVERIFY(cashier.may(Right::Jzqx) && !cashier.may(Right::Fjqx) && !cashier.may(Right::Sjqlqx));
        QCOMPARE(scalar("select fjqx||xmqx||sjqlqx||czyqx||' '||zdmlje from [user] where xm='陈经理'"),
                 "1100 50.0");
    }
    // The ordering screen's lists, in the files the program keeps beside the database.
    QCOMPARE(EntryFile(dir.path(), ConsumptionList::kTasteFile).entries().value(3) +
                 EntryFile(dir.path(), ConsumptionList::kReturnReasonFile).entries().value(0),
             QStringLiteral("不要香菜上错菜"));
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

// The database gone from a folder that shows the program ran there: nothing is made in its place.
void TestStartUp::missingDatabaseIsNotMadeAnew_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("traces");
    QTest::newRow("the lock of a copy that crashed") << QStringList{"Pelvar.lock"} << "Pelvar.lock";
    QTest::newRow("text files") << QStringList{"口味.txt", "收入.ini"} << "口味.txt、收入.ini";
    QTest::newRow("a backup") << QStringList{"20261206213005.bak"} << "20261206213005.bak";
    QTest::newRow("the log alone") << QStringList{"Pelvar.db-wal"} << "Pelvar.db-wal";
}

void TestStartUp::missingDatabaseIsNotMadeAnew()
{
    QFETCH(QStringList, files);
    QFETCH(QString, traces);
    QTemporaryDir dir;
    for (const QString& name : files) {
        QByteArray text;
        if (name == QLatin1String("Pelvar.lock")) {
            // As a copy that crashed left it: naming a process that has ended.
            QTemporaryDir elsewhere;
            {
                QLockFile lock(elsewhere.filePath(name));
                QVERIFY(lock.tryLock(0));
                text = contents(elsewhere.filePath(name));
            }
            QProcess gone;
            gone.start(QStringLiteral("/bin/true"));
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            text = QByteArray::number(pid) + text.mid(text.indexOf('\n'));
        }
        QFile file(QDir(dir.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    ScriptedPrompt prompt;
    {
        CPelvarApp app(prompt, dir.path());
        QVERIFY(!app.openData());
    }
    const QString database = QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"));
    const bool backup = traces.endsWith(QLatin1String(".bak"));
    QCOMPARE(prompt.texts(),
             QStringList{CPelvarApp::kDatabaseMissing.arg(
                 database, traces, dir.path(),
                 backup ? QStringLiteral("最新的是20261206213005.bak。") : QStringLiteral("其中没有备份文件。"))});
    QVERIFY(!QFile::exists(database));
    // An empty folder starts a new restaurant.
    QTemporaryDir empty;
    QVERIFY(CPelvarApp(prompt, empty.path()).openData());
}

void TestStartUp::restaurantDialog()
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
}

// Standard buttons in Chinese, and the program's title where a window has no title of its own.
void TestStartUp::processSpeaksChinese()
{
    CPelvarApp::prepareProcess();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Orvo餐饮收银系统"));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Yes)->text().left(1) +
                 box.button(QDialogButtonBox::Cancel)->text().left(2),
             QStringLiteral("是取消"));
    // A single-line field refuses control characters as they are typed or pasted.
    QLineEdit edit;
    edit.show();
    edit.insert(QStringLiteral("清蒸鳜鱼"));
    for (const QString& pasted : {QStringLiteral("\x1bp"), QStringLiteral("\x1dV"), QStringLiteral("a\nb")})
        edit.insert(pasted);
    QCOMPARE(edit.text(), QStringLiteral("清蒸鳜鱼"));
}

PELVAR_TEST(TestStartUp)
#include "tst_StartUp.moc"
