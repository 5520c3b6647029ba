#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPelvarSql : public QObject
{
    Q_OBJECT
private slots:
    void createsTheDatabaseAndPrintsRows();
    void runsStatementsInOrderAndStopsAtAnError();
    void translatesLikeTheScreens();

private:
    struct Run
    {
        int code;
        QString out;
        QString err;
    };
    Run sql(const QString& folder, const QStringList& statements);
};

TestPelvarSql::Run TestPelvarSql::sql(const QString& folder, const QStringList& statements)
{
    QProcess p;
    p.start(QStringLiteral(PELVAR_SQL), QStringList{QStringLiteral("--data-dir"), folder} + statements);
    [&] { QVERIFY(p.waitForFinished(30000)); }();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void TestPelvarSql::createsTheDatabaseAndPrintsRows()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("x"));
    const Run r = sql(folder, {QStringLiteral("select gsmc, lxdh from gs")});
    QCOMPARE(r.code, 0);
    QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("Pelvar.db"))));
    QCOMPARE(r.out, QStringLiteral("gsmc\tlxdh\n我的餐厅\t\n"));
}

void TestPelvarSql::runsStatementsInOrderAndStopsAtAnError()
{
    QTemporaryDir dir;
    const Run r =
        sql(dir.path(),
            {QStringLiteral("insert into fj (fjm) values ('大厅')"), QStringLiteral("select fjm from fj"),
             QStringLiteral("select * from nosuch"), QStringLiteral("insert into fj (fjm) values ('包间')")});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.out, QStringLiteral("fjm\n大厅\n"));
    QCOMPARE(r.err.trimmed(), QStringLiteral("no such table: nosuch"));
    QCOMPARE(sql(dir.path(), {QStringLiteral("select count(*) as n from fj")}).out, QStringLiteral("n\n1\n"));
}

void TestPelvarSql::translatesLikeTheScreens()
{
    QTemporaryDir dir;
    const Run r =
        sql(dir.path(), {QStringLiteral("insert into log (log, date) values ('#1#', #2026-12-6 8:0:0#)"),
                         QStringLiteral("select top 1 log, date from log order by logid desc")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("log\tdate\n#1#\t2026-12-06 08:00:00\n"));
}

PELVAR_TEST(TestPelvarSql)
#include "tst_PelvarSql.moc"
