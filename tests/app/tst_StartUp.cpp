#include "Clock.h"
#include "CPelvarApp.h"
#include "CRestaurantDlg.h"
#include "OperatorAccounts.h"
#include "RestaurantInfo.h"
#include "ScriptedPrompt.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A data folder whose database was written and closed before the program starts.
QString prepared(QTemporaryDir& dir, const QStringList& statements)
{
    ScriptedPrompt prompt;
    Database db(prompt);
    db.open(QDir(dir.path()).filePath(Database::kFileName));
    for (const QString& s : statements)
        db.ExecuteSql(s);
    return dir.path();
}

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

    void newFolderStartsWithANewDatabase();
    void demoFillsOnlyANewDatabase();
    void secondCopyEndsAndFirstRuns();
    void lockOfACrashedCopyDoesNotBlock();
    void emptyRestaurantTableEndsStartUp();
    void restaurantNameMakesTheTitle_data();
    void restaurantNameMakesTheTitle();
    void fileThatIsNotADatabaseIsReportedAndLeftAlone();
    void exitEntryNamesTheOperator();
    void restaurantDialogReadsAndWrites();
    void standardButtonsSpeakChinese();

private:
    QTemporaryDir m_settings;
};

void TestStartUp::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

void TestStartUp::newFolderStartsWithANewDatabase()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    QVERIFY(prompt.texts().isEmpty());
    QVERIFY(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"))));
    QCOMPARE(app.restaurantName(), QStringLiteral("我的餐厅"));
    QCOMPARE(app.mainTitle(), QStringLiteral("Orvo餐饮收银系统 V2.5—我的餐厅"));
}

void TestStartUp::demoFillsOnlyANewDatabase()
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    QTemporaryDir dir;
    {
        ScriptedPrompt prompt;
        CPelvarApp app(prompt, dir.path());
        QVERIFY(app.openData(true));
        QCOMPARE(app.restaurantName(), QStringLiteral("Orvo示例餐厅"));
        Database& db = app.db();
        QCOMPARE(db.query(QStringLiteral("select count(*) as n from cz")).getInt(QStringLiteral("n")), 21);
        QCOMPARE(db.query(QStringLiteral("select xmpy from xm where xmm='宫保鸡丁'"))
                     .getString(QStringLiteral("xmpy")),
                 QStringLiteral("GBJD"));
        QCOMPARE(db.query(QStringLiteral("select count(*) as n from xm where xmm='餐桌费'"))
                     .getInt(QStringLiteral("n")),
                 1);
        // Today's booking lies in the shift running now, so the board shows the table reserved.
        Recordset booked =
            db.query(QStringLiteral("select * from yd where zt='已订' and yybcbh=") + db.GetCurrentShiftId() +
                     QStringLiteral(" and format(ydsj,'yyyy-mm-dd')='2026-12-06'"));
        QCOMPARE(booked.recordCount(), 1);
        QVERIFY(booked.getDateTime(QStringLiteral("ydsj")) > Clock::now());
    }
    // A database that exists keeps its own data.
    QTemporaryDir plain;
    {
        ScriptedPrompt prompt;
        CPelvarApp app(prompt, plain.path());
        QVERIFY(app.openData());
    }
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, plain.path());
    QVERIFY(app.openData(true));
    QCOMPARE(app.restaurantName(), QStringLiteral("我的餐厅"));
    Clock::clearFixed();
}

void TestStartUp::secondCopyEndsAndFirstRuns()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    auto first = std::make_unique<CPelvarApp>(prompt, dir.path());
    QVERIFY(first->openData());

    ScriptedPrompt secondPrompt;
    {
        CPelvarApp second(secondPrompt, dir.path());
        QVERIFY(!second.openData());
        QCOMPARE(secondPrompt.texts(), QStringList{QStringLiteral("该程序已经启动")});
        QVERIFY(!second.db().isOpen());
    }
    // The second copy's end leaves the first one's lock and connection alone.
    QVERIFY(first->db().isOpen());
    QCOMPARE(first->db().query(QStringLiteral("select count(*) from gs")).value(0).toInt(), 1);
    ScriptedPrompt thirdPrompt;
    CPelvarApp third(thirdPrompt, dir.path());
    QVERIFY(!third.openData());

    // Another folder is another restaurant.
    QTemporaryDir other;
    CPelvarApp elsewhere(thirdPrompt, other.path());
    QVERIFY(elsewhere.openData());

    first.reset();
    ScriptedPrompt fourthPrompt;
    CPelvarApp fourth(fourthPrompt, dir.path());
    QVERIFY(fourth.openData());
    QVERIFY(fourthPrompt.texts().isEmpty());
}

void TestStartUp::lockOfACrashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString lockPath = QDir(dir.path()).filePath(QStringLiteral("Pelvar.lock"));
    // A lock as a running copy writes it, then the process it names ends without removing it.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QByteArray lockText;
    {
        QLockFile lock(lockPath);
        QVERIFY(lock.tryLock(0));
        lockText = contents(lockPath);
    }
    QVERIFY(!lockText.isEmpty());
    lockText = QByteArray::number(deadPid) + lockText.mid(lockText.indexOf('\n'));
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lockText);
    file.close();

    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    QVERIFY(prompt.texts().isEmpty());
}

void TestStartUp::emptyRestaurantTableEndsStartUp()
{
    QTemporaryDir dir;
    prepared(dir, {QStringLiteral("delete * from gs")});
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(!app.openData());
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("读取数据库文件错误!")});
}

void TestStartUp::restaurantNameMakesTheTitle_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("title");
    QTest::newRow("null name") << "update gs set gsmc=null"
                               << "Orvo餐饮收银系统 V2.5—";
    QTest::newRow("name") << "update gs set gsmc='湘味楼'"
                          << "Orvo餐饮收银系统 V2.5—湘味楼";
    QTest::newRow("two rows: the first") << "insert into gs(gsmc) values('第二家')"
                                         << "Orvo餐饮收银系统 V2.5—我的餐厅";
}

void TestStartUp::restaurantNameMakesTheTitle()
{
    QFETCH(QString, statement);
    QFETCH(QString, title);
    QTemporaryDir dir;
    prepared(dir, {statement});
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    QCOMPARE(app.mainTitle(), title);
}

void TestStartUp::fileThatIsNotADatabaseIsReportedAndLeftAlone()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Pelvar.db"));
    const QByteArray text("这不是数据库 this is a note, not a database\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.repeated(100));
    }
    ScriptedPrompt prompt;
    {
        CPelvarApp app(prompt, dir.path());
        QVERIFY(!app.openData());
    }
    QCOMPARE(prompt.texts().size(), 1);
    QVERIFY(!prompt.last().isEmpty());
    QCOMPARE(prompt.shown().first().icon, Prompt::Icon::Critical);
    QCOMPARE(contents(path), text.repeated(100));
}

void TestStartUp::exitEntryNamesTheOperator()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    CPelvarApp app(prompt, dir.path());
    QVERIFY(app.openData());
    OperatorAccounts accounts(app.db(), prompt);
    Operator op;
    QVERIFY(accounts.login(QStringLiteral("系统管理员"), QString(), op));
    app.setCurrentOperator(op);
    app.logExit();
    Recordset log = app.db().query(QStringLiteral("select log from log order by logid"));
    QCOMPARE(log.recordCount(), 2);
    log.moveNext();
    QCOMPARE(log.getString(QStringLiteral("log")), QStringLiteral("用户“系统管理员”退出系统"));
}

void TestStartUp::restaurantDialogReadsAndWrites()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set lxdh='0731-1234', dz='解放路1号'"));
    CRestaurantDlg dialog(t.db);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("餐厅名称设置"));
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();
    QCOMPARE(fields.at(0)->text(), QStringLiteral("我的餐厅"));
    QCOMPARE(fields.at(1)->text(), QStringLiteral("0731-1234"));
    QCOMPARE(fields.at(2)->text(), QStringLiteral("解放路1号"));
    fields.at(0)->setText(QStringLiteral("老王's 饭店"));
    fields.at(2)->clear();
    dialog.show();
    QTest::keyClick(fields.at(0), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    RestaurantInfo info;
    QVERIFY(info.read(t.db));
    QCOMPARE(info.name, QStringLiteral("老王's 饭店"));
    QCOMPARE(info.phone, QStringLiteral("0731-1234"));
    QCOMPARE(info.address, QString());
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from gs")), QStringLiteral("1"));
}

void TestStartUp::standardButtonsSpeakChinese()
{
    CPelvarApp::prepareProcess();
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    QVERIFY2(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")),
             qPrintable(box.button(QDialogButtonBox::Yes)->text()));
    QVERIFY(box.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
    QVERIFY(box.button(QDialogButtonBox::Cancel)->text().startsWith(QStringLiteral("取消")));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Orvo餐饮"));
}

PELVAR_TEST(TestStartUp)
#include "tst_StartUp.moc"
