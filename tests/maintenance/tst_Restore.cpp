#include "Clock.h"
#include "DatabaseRestore.h"
#include "Schema.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestRestore : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }
    void restore_data();
    void restore();
};

void TestRestore::restore_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("operators");
    const QString before = QStringLiteral("张三,李四,系统管理员");
    const QString invalid = DatabaseRestore::kInvalid;
    QTest::newRow("backup") << "backup"
                            << "数据库恢复成功!"
                            << "张三,系统管理员";
    QTest::newRow("text file") << "text" << invalid << before;
    QTest::newRow("newer schema") << "newer" << invalid << before;
    QTest::newRow("truncated") << "truncated" << invalid << before;
    QTest::newRow("the database itself") << "itself" << invalid << before;
    QTest::newRow("no safety copy") << "blocked"
                                    << "数据库恢复错误，错误原因：" << before;
    QTest::newRow("restored file will not open")
        << "old"
        << "数据库恢复错误，错误原因：还原的数据库无法打开(index xfmx_xfxm already exists)，已放回原数据库"
        << before;
}

void TestRestore::restore()
{
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    QFETCH(QString, operators);
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(21, 30, 5)));
    TestDatabase t;
    const QDir folder(t.folder());
    QString file = folder.filePath(QStringLiteral("20261206.bak"));
    t.exec(QStringLiteral("insert into [user](xm) values('张三')"));
    t.exec(QStringLiteral("vacuum into '%1'").arg(file));
    // Written after the backup and still only in the open connection's write-ahead log.
    t.exec(QStringLiteral("insert into [user](xm) values('李四')"));
    QFile backup(file);
    QVERIFY(backup.open(QIODevice::ReadWrite));
    const char version[] = {0, 0, 0, char(chosen == QLatin1String("old") ? 1 : Schema::kVersion + 1)};
    if (chosen == QLatin1String("text"))
        backup.resize(0) && backup.write("Pelvar.db\r\n");
    else if (chosen == QLatin1String("truncated"))
        backup.resize(backup.size() / 2);
    else if (chosen == QLatin1String("newer") || chosen == QLatin1String("old"))
        backup.seek(60) && backup.write(version, 4); // PRAGMA user_version
    else if (chosen == QLatin1String("itself"))
        file = t.filePath();
    else if (chosen == QLatin1String("blocked"))
        folder.mkdir(QStringLiteral("还原前20261206213005.bak"));
    backup.close();

    t.prompt.answer(Prompt::Answer::Yes);
    QCOMPARE(DatabaseRestore(t.db, t.prompt).restore(file), message == QStringLiteral("数据库恢复成功!"));
    QCOMPARE(t.prompt.texts().size(), 2);
    QVERIFY2(t.prompt.last().startsWith(message), qPrintable(t.prompt.last()));
    QCOMPARE(
        t.scalar(QStringLiteral("select group_concat(xm, ',') from (select xm from [user] order by xm)")),
        operators);
    QVERIFY(!QFile::exists(t.filePath() + QStringLiteral(".restore")));
    if (chosen == QLatin1String("backup")) {
        // The database as it was, kept beside it.
        Database safety(t.prompt);
        safety.open(folder.filePath(QStringLiteral("还原前20261206213005.bak")));
        QCOMPARE(
            safety.query(QStringLiteral("select count(*) as n from [user]")).getString(QStringLiteral("n")),
            QStringLiteral("3"));
    }
}

PELVAR_TEST(TestRestore)
#include "tst_Restore.moc"
