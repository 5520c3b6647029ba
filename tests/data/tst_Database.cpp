#include "Clock.h"
#include "DbError.h"
#include "Field.h"
#include "Schema.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

class TestDatabaseLayer : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void newFileHasItsFirstRows();
    void defaultsOfATable();
    void defaultsOfALineAndARegistration();
    void defaultsOfABillAndTheLog();
    void firstBillOfTheDayFindsNoMaximum();
    void logCounterRestartsAtOne();
    void countersNeverReuseANumber();
    void uniqueKeys();
    void shiftBounds_data();
    void shiftBounds();
    void quotingRoundTrip_data();
    void quotingRoundTrip();
    void nullFieldsReadAsEmpty();
    void numbersFromText_data();
    void numbersFromText();
    void parseDateTime();
    void failingQueryReportsAndGoesOn();
    void missingColumnThrows();
    void transactionRollsBackUnlessCommitted();
    void fileThatIsNotADatabaseIsLeftAlone();
    void reopeningKeepsTheData();
    void olderFileIsBroughtForward();
    void foreignOrNewerFileIsRefused_data();
    void foreignOrNewerFileIsRefused();
};

void TestDatabaseLayer::newFileHasItsFirstRows()
{
    TestDatabase t;
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from gs")), QStringLiteral("1"));
    QVERIFY(!t.scalar(QStringLiteral("select gsmc from gs")).isEmpty());
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from dysz")), QStringLiteral("1"));
    QCOMPARE(t.scalar(QStringLiteral("select cfdy from dysz")), QStringLiteral("1"));
    QCOMPARE(t.scalar(QStringLiteral("select dyjmc from dysz")), QString());

    Recordset admin = t.db.query(QStringLiteral("select * from [user] where xm='系统管理员'"));
    QCOMPARE(admin.recordCount(), 1);
    for (const char* right : {"kdqx",   "ddqx",   "jzqx",   "gzjzqx", "ydqx",     "xgzdqx", "fjqx",
                              "czqx",   "xmlbqx", "xmqx",   "czyqx",  "fwsqx",    "hyqx",   "symxqx",
                              "syhzqx", "xstjqx", "tdcxqx", "zdcxqx", "ldxfcxqx", "sjqlqx", "sjhyqx"})
        QCOMPARE(admin.getString(QLatin1String(right)), QStringLiteral("1"));
    QCOMPARE(Sql::money(admin.getDouble(QStringLiteral("dzbl"))), QStringLiteral("0.00"));
    QVERIFY(admin.getDouble(QStringLiteral("zdmlje")) > 0);
    QCOMPARE(admin.getString(QStringLiteral("mm")), QString());

    QCOMPARE(t.scalar(QStringLiteral("pragma user_version")), QString::number(Schema::kVersion));
    QCOMPARE(t.scalar(QStringLiteral("pragma journal_mode")), QStringLiteral("wal"));
}

void TestDatabaseLayer::defaultsOfATable()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into cz (czm, zzws, fjm) values ('A1', 4, '大厅')"));
    Recordset rs = t.db.query(QStringLiteral("select * from cz where czm='A1'"));
    QCOMPARE(rs.getString(QStringLiteral("zyzt")), QStringLiteral("空闲"));
    QCOMPARE(Sql::money(rs.getDouble(QStringLiteral("xfhj"))), QStringLiteral("0.00"));
    QCOMPARE(rs.getString(QStringLiteral("jdsj")), QString());
    QCOMPARE(rs.getString(QStringLiteral("yzrs")), QString());
    QCOMPARE(rs.getInt(QStringLiteral("id")), 1);
}

// Local time, never UTC: a default must match the wall clock of this process.
static void verifyNow(const QString& stored)
{
    const QDateTime when = ParseDateTime(stored);
    QVERIFY2(qAbs(when.secsTo(QDateTime::currentDateTime())) <= 5, qPrintable(stored));
}

void TestDatabaseLayer::defaultsOfALineAndARegistration()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into xfmx (czm, xfxm, sl, xmdj, dzbl, ysje, jzr) "
                          "values ('A1', '宫保鸡丁', '1.50', '20.00', '1.00', '30.00', '系统管理员')"));
    Recordset line = t.db.query(QStringLiteral("select * from xfmx where czm='A1' and jzbj='0'"));
    QCOMPARE(line.recordCount(), 1);
    verifyNow(line.getString(QStringLiteral("xfsj")));
    QVERIFY(line.value(QStringLiteral("jzzdh")).isNull());
    QCOMPARE(line.getString(QStringLiteral("sfdy")), QStringLiteral("0"));
    QCOMPARE(line.getDouble(QStringLiteral("sl")), 1.5); // quoted numeral stored as a number
    QCOMPARE(line.getDouble(QStringLiteral("tdsl")), 0.0);

    t.exec(QStringLiteral("insert into dj (djbh, czm, fjm, rs, xfzt, zdbh, zdbj) "
                          "values ('20261206120000', 'A1', '大厅', 4, '占用', '20261206120000', 'y')"));
    Recordset reg = t.db.query(QStringLiteral("select * from dj where czm='A1' and jzdh is null"));
    QCOMPARE(reg.recordCount(), 1);
    verifyNow(reg.getString(QStringLiteral("jdsj")));
    QCOMPARE(reg.getDouble(QStringLiteral("xfhj")), 0.0);
}

void TestDatabaseLayer::defaultsOfABillAndTheLog()
{
    TestDatabase t;
    t.exec(
        QStringLiteral("insert into jzhz (zdh, czm, xfje, dzje, ssje, hybh, jzfs, jzr) "
                       "values ('202612060001', 'A1', '30.00', '0.00', '30.00', 0, '现金', '系统管理员')"));
    Recordset bill = t.db.query(QStringLiteral("select * from jzhz"));
    verifyNow(bill.getString(QStringLiteral("jzsj")));
    QCOMPARE(bill.getString(QStringLiteral("jzrq")),
             QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));

    t.exec(QStringLiteral("insert into log (log) values ('用户“系统管理员”登陆系统')"));
    Recordset log = t.db.query(QStringLiteral("select * from log"));
    QCOMPARE(log.getInt(QStringLiteral("logid")), 1);
    verifyNow(log.getString(QStringLiteral("date")));
}

void TestDatabaseLayer::firstBillOfTheDayFindsNoMaximum()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into jzhz (zdh, jzrq) values ('202612050007', '2026-12-05')"));
    Recordset rs;
    QVERIFY(t.db.OpenRecordset(rs, QStringLiteral("select max(zdh) as maxzdh from jzhz where jzrq=") +
                                       Sql::dateLiteral(QDate(2026, 12, 6))));
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.getString(QStringLiteral("maxzdh")), QString());
    QVERIFY(
        t.db.OpenRecordset(rs, QStringLiteral("select max(zdh) as maxzdh from jzhz where jzrq=#2026-12-5#")));
    QCOMPARE(rs.getString(QStringLiteral("maxzdh")), QStringLiteral("202612050007"));
}

void TestDatabaseLayer::logCounterRestartsAtOne()
{
    TestDatabase t;
    for (int i = 0; i < 3; ++i)
        t.exec(QStringLiteral("insert into log (log) values ('x')"));
    t.exec(QStringLiteral("delete * from log"));
    t.exec(QStringLiteral("alter table log alter column [logid] COUNTER (1, 1) "));
    t.exec(QStringLiteral("insert into log (log) values ('用户“系统管理员”清空日志')"));
    QCOMPARE(t.scalar(QStringLiteral("select logid from log")), QStringLiteral("1"));
}

void TestDatabaseLayer::countersNeverReuseANumber()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into xfmx (czm) values ('A1')"));
    t.exec(QStringLiteral("insert into xfmx (czm) values ('A1')"));
    t.exec(QStringLiteral("delete * from xfmx where xfbh=2"));
    t.exec(QStringLiteral("insert into xfmx (czm) values ('A1')"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT @@Identity as xfbh from xfmx")), QStringLiteral("3"));
}

void TestDatabaseLayer::uniqueKeys()
{
    TestDatabase t;
    const QStringList twice = {
        QStringLiteral("insert into fj (fjm) values ('大厅')"),
        QStringLiteral("insert into cz (czm, zzws, fjm) values ('A1', 4, '大厅')"),
        QStringLiteral("insert into dj (djbh, czm) values ('20261206120000', 'A1')"),
        QStringLiteral("insert into jzhz (zdh) values ('202612060001')"),
        QStringLiteral("insert into lb (lbm) values ('热菜')"),
        QStringLiteral("insert into [user] (xm) values ('张三')"),
    };
    for (const QString& statement : twice) {
        t.exec(statement);
        QVERIFY_THROWS_EXCEPTION(DbError, t.db.ExecuteSql(statement));
    }
    t.exec(QStringLiteral("insert into xm (xmbh, xmm) values (1, '米饭')"));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             t.db.ExecuteSql(QStringLiteral("insert into xm (xmbh, xmm) values (1, '面')")));
    QVERIFY_THROWS_EXCEPTION(
        DbError, t.db.ExecuteSql(QStringLiteral("insert into xm (xmbh, xmm) values (2, '米饭')")));
}

void TestDatabaseLayer::shiftBounds_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("shift");
    QTest::newRow("before every shift") << QTime(6, 0) << "0";
    QTest::newRow("equal to a start") << QTime(9, 5, 3) << "0";
    QTest::newRow("just after a start") << QTime(9, 5, 4) << "1";
    QTest::newRow("inside the second") << QTime(18, 0) << "2";
    QTest::newRow("equal to an end") << QTime(14, 0) << "0";
    QTest::newRow("just before an end") << QTime(13, 59, 59) << "1";
    QTest::newRow("after every shift") << QTime(23, 0) << "0";
}

void TestDatabaseLayer::shiftBounds()
{
    QFETCH(QTime, now);
    QFETCH(QString, shift);
    TestDatabase t;
    t.exec(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('午市', #2010-01-01 9:5:3#, #2010-01-01 14:0:0#)"));
    t.exec(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('晚市', #2010-01-01 17:0:0#, #2010-01-01 21:30:0#)"));
    // Across midnight: never current.
    t.exec(QStringLiteral(
        "insert into yybc (bcmc, qssj, jssj) values ('夜宵', #2010-01-01 22:0:0#, #2010-01-01 2:0:0#)"));
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), now));
    QCOMPARE(t.db.GetCurrentShiftId(), shift);
}

void TestDatabaseLayer::quotingRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophes") << "O'Brien's";
    QTest::newRow("chinese with quote") << "宫保'鸡丁";
    QTest::newRow("two quotes") << "''";
    QTest::newRow("hash and star") << "#2026-12-06# delete * from cz";
}

void TestDatabaseLayer::quotingRoundTrip()
{
    QFETCH(QString, name);
    TestDatabase t;
    t.exec(QStringLiteral("insert into xm (xmbh, xmm, lbm) values (1, ") + Sql::quote(name) +
           QStringLiteral(", '热菜')"));
    Recordset rs;
    QVERIFY(t.db.OpenRecordset(rs, QStringLiteral("select * from xm where xmm=") + Sql::quote(name)));
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.getString(QStringLiteral("xmm")), name);
    QVERIFY(t.prompt.texts().isEmpty());
}

void TestDatabaseLayer::nullFieldsReadAsEmpty()
{
    TestDatabase t;
    t.exec(QStringLiteral("insert into yd (ydbh) values ('20261206093000')"));
    Recordset rs = t.db.query(QStringLiteral("select * from yd"));
    QCOMPARE(rs.getString(QStringLiteral("khxm")), QString());
    QCOMPARE(rs.getDouble(QStringLiteral("yj")), 0.0);
    QCOMPARE(rs.getInt(QStringLiteral("yybcbh")), 0);
    QVERIFY(!rs.getDateTime(QStringLiteral("ydsj")).isValid());
    QCOMPARE(t.scalar(QStringLiteral("select sum(ysje) as ysje from xfmx where czm='none'")), QString());
}

void TestDatabaseLayer::numbersFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("integer");
    QTest::newRow("money") << "12.50" << 12.5 << 12;
    QTest::newRow("negative") << "-2" << -2.0 << -2;
    QTest::newRow("leading numeral") << "3人" << 3.0 << 3;
    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("text") << "abc" << 0.0 << 0;
}

void TestDatabaseLayer::numbersFromText()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(int, integer);
    QCOMPARE(Field::toDouble(text), number);
    QCOMPARE(Field::toInt(text), integer);
}

void TestDatabaseLayer::parseDateTime()
{
    QCOMPARE(ParseDateTime(QStringLiteral("2026-12-06 09:05:03")),
             QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
    QCOMPARE(ParseDateTime(QStringLiteral("2026-12-06 23:59:59")).timeSpec(), Qt::LocalTime);
}

void TestDatabaseLayer::failingQueryReportsAndGoesOn()
{
    TestDatabase t;
    Recordset rs;
    QVERIFY(!t.db.OpenRecordset(rs, QStringLiteral("select * from cz where czm='O'Brien'")));
    QCOMPARE(t.prompt.shown().size(), 1);
    QVERIFY2(t.prompt.last().startsWith(QStringLiteral("ADO Error: ")), qPrintable(t.prompt.last()));
    QCOMPARE(t.prompt.shown().first().caption, QStringLiteral("提示信息"));
    QVERIFY(!t.db.OpenRecordset(rs, QStringLiteral("select * from nosuchtable")));
    QCOMPARE(t.prompt.last(), QStringLiteral("ADO Error: no such table: nosuchtable"));
    QVERIFY(t.db.OpenRecordset(rs, QStringLiteral("select * from gs")));
    QCOMPARE(rs.recordCount(), 1);
}

void TestDatabaseLayer::missingColumnThrows()
{
    TestDatabase t;
    Recordset rs = t.db.query(QStringLiteral("select gsmc from gs"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.getString(QStringLiteral("nosuchcolumn")));
    QCOMPARE(rs.getString(QStringLiteral("GSMC")), rs.getString(QStringLiteral("gsmc")));
}

void TestDatabaseLayer::transactionRollsBackUnlessCommitted()
{
    TestDatabase t;
    try {
        Transaction transaction(t.db);
        t.db.ExecuteSql(QStringLiteral("insert into fj (fjm) values ('大厅')"));
        t.db.ExecuteSql(QStringLiteral("insert into fj (fjm) values ('大厅')")); // duplicate: throws
        transaction.commit();
        QFAIL("the duplicate room was accepted");
    } catch (const DbError&) {
    }
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("0"));
    {
        Transaction transaction(t.db);
        t.db.ExecuteSql(QStringLiteral("insert into fj (fjm) values ('包间')"));
        transaction.commit();
    }
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from fj")), QStringLiteral("1"));
}

void TestDatabaseLayer::fileThatIsNotADatabaseIsLeftAlone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pelvar.db"));
    const QByteArray content("This is a note, not a database. 这不是数据库。\n");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ScriptedPrompt prompt;
    Database db(prompt);
    QVERIFY_THROWS_EXCEPTION(DbError, db.open(path));
    QVERIFY(!db.isOpen());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
    QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
}

void TestDatabaseLayer::reopeningKeepsTheData()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set gsmc='老王饭庄'"));
    t.db.close();
    t.db.open(t.filePath());
    QCOMPARE(t.scalar(QStringLiteral("select gsmc from gs")), QStringLiteral("老王饭庄"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), QStringLiteral("1"));
}

void TestDatabaseLayer::olderFileIsBroughtForward()
{
    TestDatabase t;
    t.exec(QStringLiteral("update gs set gsmc='老王饭庄'"));
    for (const char* index :
         {"xfmx_xfxm", "jzhz_hybh", "jzhz_jzfs", "dj_xfzt", "yd_yybcbh", "dj_jdsj", "zcsr_fssj"})
        t.exec(QStringLiteral("drop index ") + QLatin1String(index));
    t.exec(QStringLiteral("pragma user_version = 1"));
    t.db.close();
    t.db.open(t.filePath());
    QCOMPARE(t.scalar(QStringLiteral("pragma user_version")), QString::number(Schema::kVersion));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from sqlite_master where type='index' and name in "
                                     "('xfmx_xfxm','jzhz_hybh','jzhz_jzfs','dj_xfzt','yd_yybcbh','dj_jdsj',"
                                     "'zcsr_fssj')")),
             QStringLiteral("7"));
    QCOMPARE(t.scalar(QStringLiteral("select gsmc from gs")), QStringLiteral("老王饭庄"));
}

void TestDatabaseLayer::foreignOrNewerFileIsRefused_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("another program's database") << "create table notes (t text)";
    QTest::newRow("a newer version of ours") << "pragma user_version = 99";
}

void TestDatabaseLayer::foreignOrNewerFileIsRefused()
{
    QFETCH(QString, statement);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pelvar.db"));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec(statement));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ScriptedPrompt prompt;
    Database db(prompt);
    QVERIFY_THROWS_EXCEPTION(DbError, db.open(path));
    QVERIFY(!db.isOpen());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

PELVAR_TEST(TestDatabaseLayer)
#include "tst_Database.moc"
