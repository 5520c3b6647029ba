#include "Clock.h"
#include "Restaurant.h"
#include "ServerConnection.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QProcess>
#include <QTest>

namespace {

// Every row of every table, each as its fields' texts, sorted: the same on both backends when the
// copy is faithful.
QStringList contents(Database& db, const QStringList& tables)
{
    QStringList rows;
    for (const QString& table : tables) {
        for (Recordset rs = db.query("select * from [" + table + "]"); !rs.isEOF(); rs.moveNext()) {
            QStringList fields{table};
            for (int i = 0; i < rs.columns().size(); ++i)
                fields << rs.value(i).toString();
            rows << fields.join('|');
        }
    }
    rows.sort();
    return rows;
}

QString copyTo(const QString& folder, const QString& location, int& code)
{
    QProcess p;
    p.start(PELVAR_SQL, {"--data-dir", folder, "--copy-to", location});
    p.waitForFinished(60000);
    code = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
}

} // namespace

// A restaurant's file moves to a server: every row, its counters and its day totals.
class TestCopyTo : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void copiesEveryRowOnce()
    {
        if (!TestDatabase::onServer())
            QSKIP("needs a server (label postgresql)");
        TestDatabase file(Backend::SQLite);
        Restaurant r = Restaurant::withMenu(file);
        Clock::setFixed(Restaurant::kNow);
        r.seat("A1");
        r.order("A1", "红烧肉", 1.5);
        r.order("A1", "啤酒", 2);
        r.checkout("A1");
        r.seat("A2");
        const qint64 last = r.order("A2", "鱼香肉丝", 1, 0.9);
        file.exec("delete from xfmx where xfbh=" + QString::number(last)); // the counter is past it
        file.exec("insert into hy(xm,xmpy,hydj,xfze) values('O''Neil','on',1,'')"); // text in a number
        file.exec("insert into log(log) values('#1# [a] 100%')");
        const QStringList tables{"fj", "cz", "dj", "xfmx", "jzhz", "xm", "lb", "hy", "user",
                                 "yybc", "gs", "dysz", "log", "xfrhz", "fwsrhz"};
        const QStringList before = contents(file.db, tables);
        file.db.close();

        TestDatabase::emptyServerDatabase();
        const QString server = qEnvironmentVariable("PELVAR_TEST_DATABASE");
        int code = 0;
        const QString said = copyTo(file.folder(), server, code);
        QCOMPARE(code, 0);
        QVERIFY2(said.startsWith("已复制 24 张表，共 ") && said.contains("，xfmx 2 行，") &&
                     said.endsWith("各表行数与日汇总核对无误。另有 1 个数值字段原为文字，已按数值复制。"),
                 qPrintable(said));

        ScriptedPrompt prompt;
        Database copy(prompt);
        copy.open(server);
        QCOMPARE(copy.created(), false);
        QStringList after = contents(copy, tables);
        QCOMPARE(after.filter("hy|").join(""), "hy|1|O'Neil|on||||1|||"); // "" went as null: read as ""
        QCOMPARE(after, before);
        // The counters go on after the file's last number, deleted or not.
        copy.ExecuteSql("insert into xfmx(czm,xfxm) values('A2','可乐')");
        QCOMPARE(copy.query("SELECT @@Identity as xfbh from xfmx").getString("xfbh"), QString::number(last + 1));

        // A database with tables is never written to.
        QCOMPARE(copyTo(file.folder(), server, code), "目标数据库不是空的，没有复制：" + server);
        QCOMPARE(code, 1);
        QCOMPARE(copy.query("select count(*) from xfmx").value(0).toInt(), 3);
    }
};

PELVAR_TEST(TestCopyTo)
#include "tst_CopyTo.moc"
