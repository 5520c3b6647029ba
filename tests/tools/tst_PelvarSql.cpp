#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPelvarSql : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("output"); // standard output | standard error
        auto row = [](const char* name, const QStringList& statements, int code, const char* output) {
            QTest::newRow(name) << statements << code << QString(output);
        };
        row("a new file, rows under a header", {"--create", "select gsmc, lxdh from gs"}, 0,
            "gsmc\tlxdh\n我的餐厅\t\n|");
        row("stops at an error",
            {"insert into fj (fjm) values ('大厅')", "select fjm from fj", "select * from nosuch",
             "select count(*) from fj", "--create"},
            1, "fjm\n大厅\n|no such table: nosuch\n");
        row("the screens' dialect",
            {"--create", "insert into log (log, date) values ('#1#', #2026-12-6 8:0:0#)",
             "select top 1 log, date from log order by logid desc"},
            0, "log\tdate\n#1#\t2026-12-06 08:00:00\n|");
        row("no statement", {"--create"}, 2, "|usage: pelvar-sql [--data-dir DIR] [--create] STATEMENT...\n");
        // A mistyped folder leaves no fresh database (with an administrator without a password).
        row("no file, none made", {"select gsmc from gs"}, 3,
            "|pelvar-sql: %1 does not exist (--create makes a new one)\n");
    }
    void run()
    {
        QFETCH(QStringList, statements);
        QFETCH(int, code);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const QString folder = dir.filePath("new folder");
        QProcess p;
        p.start(PELVAR_SQL, QStringList{"--data-dir", folder} + statements);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), code);
        const QString file = QDir(folder).filePath("Pelvar.db");
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput() + "|" + p.readAllStandardError()),
                 output.contains("%1") ? output.arg(file) : output);
        QCOMPARE(QFile::exists(file), code < 2);
        // Once there, the file opens without --create.
        if (code < 2) {
            p.start(PELVAR_SQL, QStringList{"--data-dir", folder, "select count(*) from gs"});
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()) + QString::number(p.exitCode()),
                     "count(*)\n1\n0");
        }
    }
};

PELVAR_TEST(TestPelvarSql)
#include "tst_PelvarSql.moc"
