#include "Clock.h"
#include "DataFolder.h"
#include "DatabaseBackup.h"
#include "DatabaseRestore.h"
#include "Schema.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kRefused = QStringLiteral("不能用所选文件还原数据库：%1!");
const QString kSafety = QStringLiteral("还原前20261206213005.bak");

// Writes for the rest of a scope fail once a file would grow past `bytes`, as on a full disk.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_before); }

private:
    rlimit m_before;
};

// A database of two megabytes, its log emptied into the file.
void fill(TestDatabase& t)
{
    for (int i = 0; i < 20; ++i)
        t.exec(QStringLiteral("insert into log(log) values(hex(randomblob(50000)))"));
    t.exec(QStringLiteral("pragma wal_checkpoint(truncate)"));
}

QStringList files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestRestore : public QObject
{
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(21, 30, 5))); }
    void cleanup() { Clock::clearFixed(); }

    void restore_data();
    void restore();
    void restoredTotalsAndTriggersAreRebuilt();
    void otherWritersWaitUntilTheRestoreIsDone();
    void fullDisk();
    void filesAreTheOwnersAlone();
};

void TestRestore::restore_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("message");
    QTest::newRow("backup") << "backup"
                            << "数据库恢复成功!";
    QTest::newRow("not a database") << "text" << kRefused.arg("它不是数据库文件");
    QTest::newRow("damaged pages, readable schema") << "damaged" << kRefused.arg("它已损坏");
    QTest::newRow("another program's tables") << "foreign" << kRefused.arg("它不是本系统的数据库备份");
    QTest::newRow("newer") << "newer"
                           << kRefused.arg(QStringLiteral("它的版本(%1)高于本程序所支持的版本(%2)")
                                               .arg(Schema::kVersion + 1)
                                               .arg(Schema::kVersion));
    QTest::newRow("the live file") << "itself" << kRefused.arg("它是正在使用的数据库");
    QTest::newRow("the live file's log") << "log" << kRefused.arg("它是正在使用的数据库");
    QTest::newRow("without 系统管理员") << "no administrator" << kRefused.arg("其中没有系统管理员");
    QTest::newRow("old, cannot be brought forward")
        << "old" << kRefused.arg("它无法升级到本程序的版本(index xfmx_xfxm already exists)");
    QTest::newRow("no safety copy") << "blocked"
                                    << "数据库恢复错误，错误原因：保存原数据库出错(";
}

void TestRestore::restore()
{
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    TestDatabase t;
    QString file = t.filePath() + QStringLiteral(".bak");
    t.exec(QStringLiteral("insert into xfmx(xfxm) values('茶')"));
    if (chosen == QLatin1String("no administrator"))
        t.exec(QStringLiteral("update [user] set xm='经理'"));
    t.exec(QStringLiteral("vacuum into '%1'").arg(file));
    if (chosen == QLatin1String("no administrator"))
        t.exec(QStringLiteral("update [user] set xm='系统管理员'"));
    // Written after the backup and still only in the open connection's write-ahead log.
    t.exec(QStringLiteral("insert into [user](xm) values('李四')"));
    {
        ScriptedPrompt prompt;
        Database backup(prompt);
        backup.open(file);
        const QString root = backup.query("select rootpage from sqlite_master where name='xfmx'").value(0).toString();
        backup.close();
        QFile bytes(file);
        QVERIFY(bytes.open(QIODevice::ReadWrite));
        const char version[] = {0, 0, 0, char(chosen == QLatin1String("old") ? 1 : Schema::kVersion + 1)};
        if (chosen == QLatin1String("text"))
            bytes.resize(0) && bytes.write("Pelvar.db\r\n");
        else if (chosen == QLatin1String("damaged"))
            bytes.seek((root.toInt() - 1) * 4096) && bytes.write(QByteArray(64, '\xff'));
        else if (chosen == QLatin1String("newer") || chosen == QLatin1String("old"))
            bytes.seek(60) && bytes.write(version, 4); // PRAGMA user_version
        bytes.close();
    }
    if (chosen == QLatin1String("foreign")) {
        QFile::remove(file);
        ScriptedPrompt prompt;
        Database other(prompt);
        other.open(t.folder() + QStringLiteral("/other.db"));
        other.ExecuteSql(QStringLiteral("drop table xfmx"));
        other.ExecuteSql(QStringLiteral("create table xfmx(x)"));
        other.close();
        file = t.folder() + QStringLiteral("/other.db");
    }
    if (chosen == QLatin1String("itself"))
        file = t.filePath();
    if (chosen == QLatin1String("log"))
        file = t.filePath() + QStringLiteral("-wal");
    if (chosen == QLatin1String("blocked"))
        QDir(t.folder()).mkdir(kSafety);

    t.prompt.answer(Prompt::Answer::Yes);
    const bool restored = DatabaseRestore(t.db, t.prompt).restore(file, QStringLiteral("系统管理员"));
    QVERIFY2(restored == (chosen == QLatin1String("backup")), qPrintable(t.prompt.texts().join("|")));
    QCOMPARE(t.prompt.texts().size(), 2);
    QVERIFY2(t.prompt.last().startsWith(message), qPrintable(t.prompt.texts().join("|")));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), restored ? "1" : "2");
    QVERIFY(QFile::exists(t.filePath() + QStringLiteral("-wal")));
    for (const QString& name : files(t.folder()))
        QVERIFY2(!name.contains(QStringLiteral(".restore")), qPrintable(name));
    QCOMPARE(QFileInfo(QDir(t.folder()).filePath(kSafety)).isFile(), restored);
    if (!restored)
        return;
    // Who restored which file, and when; the rows before are in the safety copy, its owner's alone.
    QCOMPARE(t.scalar(QStringLiteral("select log||' '||date from log")),
             QStringLiteral("用户“系统管理员”还原数据库，备份文件：%1 2026-12-06 21:30:05").arg(file));
    QCOMPARE(QFile::permissions(QDir(t.folder()).filePath(kSafety)),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    ScriptedPrompt prompt;
    Database safety(prompt);
    safety.open(QDir(t.folder()).filePath(kSafety));
    QCOMPARE(safety.query(QStringLiteral("select count(*) from [user]")).value(0).toString(), "2");
}

void TestRestore::restoredTotalsAndTriggersAreRebuilt()
{
    TestDatabase t;
    const QString triggers = QStringLiteral("select count(*) from sqlite_master where type='trigger'");
    const QString count = t.scalar(triggers);
    // Each day's totals against its lines, read one by one.
    const QString mismatches = QStringLiteral(
        "select count(*) from (select substr(xfsj,1,10) as rq,xfxm,count(*) as ts from xfmx group by 1,2) l "
        "full join (select rq,xfxm,sum(ts) as ts from xfrhz group by 1,2) h using (rq,xfxm) "
        "where l.ts is not h.ts");
    t.exec(QStringLiteral("insert into xfmx(xfxm,sl,ysje,xfsj) values('茶',1,5,'2026-12-05 10:00:00'),"
                          "('茶',2,10,'2026-12-06 11:00:00'),('酒',1,20,'2026-12-06 12:00:00')"));
    const QString file = t.filePath() + QStringLiteral(".bak");
    t.exec(QStringLiteral("vacuum into '%1'").arg(file));
    {
        // A backup whose triggers were dropped, and whose totals are stale.
        ScriptedPrompt prompt;
        Database backup(prompt);
        backup.open(file);
        Recordset rs = backup.query(QStringLiteral("select name from sqlite_master where type='trigger'"));
        for (; !rs.isEOF(); rs.moveNext())
            backup.ExecuteSql(QStringLiteral("drop trigger ") + rs.value(0).toString());
        backup.ExecuteSql(QStringLiteral("insert into xfmx(xfxm,sl,ysje,xfsj) values('酒',1,20,'2026-12-06 13:00:00')"));
        backup.ExecuteSql(QStringLiteral("delete from xfrhz where rq='2026-12-05'"));
    }
    t.exec(QStringLiteral("delete from xfmx"));
    t.prompt.answer(Prompt::Answer::Yes);
    QVERIFY(DatabaseRestore(t.db, t.prompt).restore(file, QStringLiteral("系统管理员")));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from xfmx")), "4");
    QCOMPARE(t.scalar(triggers), count);
    QCOMPARE(t.scalar(mismatches), "0");
    t.exec(QStringLiteral("update xfmx set xfxm='汤' where xfxm='茶'"));
    QCOMPARE(t.scalar(mismatches), "0");
}

void TestRestore::otherWritersWaitUntilTheRestoreIsDone()
{
    TestDatabase t;
    const QString file = t.filePath() + QStringLiteral(".bak");
    t.exec(QStringLiteral("vacuum into '%1'").arg(file));
    t.prompt.answer(Prompt::Answer::Yes);
    DatabaseRestore restore(t.db, t.prompt);
    // Another program writes between the checks and the replacement: it is held off, and told.
    QProcess writer;
    restore.whileHeld = [&] {
        writer.start(QStringLiteral(PELVAR_SQL), {QStringLiteral("--data-dir"), t.folder(),
                                                  QStringLiteral("insert into fj(fjm) values('外来')")});
        QVERIFY(writer.waitForFinished(30000));
    };
    QVERIFY(restore.restore(file, QStringLiteral("系统管理员")));
    QCOMPARE(writer.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(writer.readAllStandardError()).trimmed(), QStringLiteral("database is locked"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from fj")), "0");
}

void TestRestore::fullDisk()
{
    TestDatabase t;
    fill(t);
    QTemporaryDir settingsFolder, target;
    QSettings settings(QDir(settingsFolder.path()).filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const QString file = t.filePath() + QStringLiteral(".bak");
    t.exec(QStringLiteral("vacuum into '%1'").arg(file));
    const QStringList before = files(target.path());
    const QStringList beside = files(t.folder());
    t.prompt.answer(Prompt::Answer::Yes);
    {
        FileSizeLimit full(4096);
        QVERIFY(!DatabaseBackup(t.db, t.prompt, settings, t.folder()).backup(target.path()));
        QVERIFY(!DatabaseRestore(t.db, t.prompt).restore(file, QStringLiteral("系统管理员")));
    }
    QCOMPARE(t.prompt.texts().first(), QStringLiteral("备份数据库出错!"));
    QCOMPARE(t.prompt.last(), QStringLiteral("数据库恢复错误，错误原因：复制所选文件出错(%1)")
                                  .arg(QString::fromLocal8Bit(std::strerror(EFBIG))));
    // Nothing left behind of either.
    QCOMPARE(files(target.path()), before);
    QCOMPARE(files(t.folder()), beside);
}

void TestRestore::filesAreTheOwnersAlone()
{
    // Whatever the umask: none at all here.
    struct NoUmask
    {
        mode_t before = ::umask(0);
        ~NoUmask() { ::umask(before); }
    } noUmask;
    QTemporaryDir root;
    const QString folder = DataFolder::resolve({"pelvar", "--data-dir", root.filePath("饭店/数据")});
    const QString made = root.filePath("饭店");
    QTemporaryDir settingsFolder;
    QSettings settings(QDir(settingsFolder.path()).filePath("settings.ini"), QSettings::IniFormat);
    {
        ScriptedPrompt prompt;
        Database db(prompt);
        db.open(QDir(folder).filePath(Database::kFileName));
        db.ExecuteSql("insert into fj(fjm) values('大厅')");
        prompt.answer(Prompt::Answer::Yes);
        QVERIFY(DatabaseBackup(db, prompt, settings, folder).backup(folder));
        QVERIFY(DatabaseRestore(db, prompt).restore(QDir(folder).filePath("20261206213005.bak"), "系统管理员"));
        QVERIFY(QFile::exists(QDir(folder).filePath("Pelvar.db-shm")));
        // A file another copy of the program left readable is limited when it is opened.
        QFile::setPermissions(QDir(folder).filePath("20261206213005.bak"), QFile::Permissions(0x6644));
        Database other(prompt);
        other.open(QDir(folder).filePath("20261206213005.bak"));
        other.ExecuteSql("insert into fj(fjm) values('包间')");
        QVERIFY(QFile::exists(QDir(folder).filePath("20261206213005.bak-wal")));
        QStringList modes;
        for (const QString& path : {made, folder})
            modes << QString::number(QFileInfo(path).permissions(), 16);
        for (const QString& name : files(folder))
            modes << name + ' ' + QString::number(QFileInfo(QDir(folder).filePath(name)).permissions(), 16);
        const QString owner = QString::number(0x6600, 16);
        const QString folderMode = QString::number(0x7700, 16);
        QCOMPARE(modes, (QStringList{folderMode, folderMode, "20261206213005.bak " + owner,
                                     "20261206213005.bak-shm " + owner, "20261206213005.bak-wal " + owner,
                                     "Pelvar.db " + owner, "Pelvar.db-shm " + owner, "Pelvar.db-wal " + owner,
                                     "还原前20261206213005.bak " + owner}));
    }
}

PELVAR_TEST(TestRestore)
#include "tst_Restore.moc"
