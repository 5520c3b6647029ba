#include "CBackupDlg.h"
#include "Clock.h"
#include "DatabaseBackup.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(21, 30, 5));

// The rows of a backup file, read through a connection of its own.
QString operatorsIn(const QString& file)
{
    ScriptedPrompt prompt;
    Database copy(prompt);
    copy.open(file);
    Recordset rs = copy.query(
        QStringLiteral("select group_concat(xm, ',') as names from (select xm from [user] order by xm)"));
    return rs.getString(QStringLiteral("names"));
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { Clock::clearFixed(); }

    void folderIsRememberedOrTheProgramFolder();
    void backupIsASnapshotOfTheOpenDatabase();
    void separatorIsAddedAndRemembered();
    void sameSecondOverwrites();
    void failureIsReportedAndNotRemembered();
    void emptyFolderDoesNothing();
    void dialogBacksUpWithTheKeyboard();

private:
    QTemporaryDir m_settingsDir;
    QSettings* m_settings = nullptr;
};

void TestBackup::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
}

void TestBackup::init()
{
    Clock::setFixed(kNow);
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    settings.clear();
}

void TestBackup::folderIsRememberedOrTheProgramFolder()
{
    TestDatabase t;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QCOMPARE(backup.folder(), t.folder() + QLatin1Char('/'));
    settings.setValue(QStringLiteral("backpath"), QStringLiteral("/srv/备份/"));
    QCOMPARE(backup.folder(), QStringLiteral("/srv/备份/"));
}

void TestBackup::backupIsASnapshotOfTheOpenDatabase()
{
    TestDatabase t;
    // Written through the open connection and still only in its write-ahead log.
    t.exec(QStringLiteral("insert into [user](xm) values('张三')"));
    QTemporaryDir target;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QVERIFY(backup.backup(target.path()));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("备份数据库完成!")});
    const QString file = QDir(target.path()).filePath(QStringLiteral("20261206213005.bak"));
    QVERIFY(QFile::exists(file));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{QStringLiteral("20261206213005.bak")});
    QCOMPARE(operatorsIn(file), QStringLiteral("张三,系统管理员"));
    // The open database goes on as before.
    t.exec(QStringLiteral("insert into [user](xm) values('李四')"));
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from [user]")), QStringLiteral("3"));
}

void TestBackup::separatorIsAddedAndRemembered()
{
    TestDatabase t;
    QTemporaryDir target;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QVERIFY(!target.path().endsWith(QLatin1Char('/')));
    QVERIFY(backup.backup(target.path()));
    QCOMPARE(settings.value(QStringLiteral("backpath")).toString(), target.path() + QLatin1Char('/'));
    QCOMPARE(backup.folder(), target.path() + QLatin1Char('/'));
    QVERIFY(backup.backup(target.path() + QLatin1Char('/')));
}

void TestBackup::sameSecondOverwrites()
{
    TestDatabase t;
    QTemporaryDir target;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QVERIFY(backup.backup(target.path()));
    t.exec(QStringLiteral("insert into [user](xm) values('王五')"));
    QVERIFY(backup.backup(target.path()));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{QStringLiteral("20261206213005.bak")});
    QCOMPARE(operatorsIn(QDir(target.path()).filePath(QStringLiteral("20261206213005.bak"))),
             QStringLiteral("王五,系统管理员"));
    QCOMPARE(t.prompt.texts(),
             (QStringList{QStringLiteral("备份数据库完成!"), QStringLiteral("备份数据库完成!")}));
}

void TestBackup::failureIsReportedAndNotRemembered()
{
    TestDatabase t;
    QTemporaryDir target;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    settings.setValue(QStringLiteral("backpath"), QStringLiteral("/earlier/"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QVERIFY(!backup.backup(QDir(target.path()).filePath(QStringLiteral("missing/folder"))));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("备份数据库出错!")});
    QCOMPARE(settings.value(QStringLiteral("backpath")).toString(), QStringLiteral("/earlier/"));
    QVERIFY(QDir(target.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

void TestBackup::emptyFolderDoesNothing()
{
    TestDatabase t;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
    QVERIFY(backup.backup(QString()));
    QVERIFY(t.prompt.texts().isEmpty());
    QVERIFY(!settings.contains(QStringLiteral("backpath")));
}

void TestBackup::dialogBacksUpWithTheKeyboard()
{
    TestDatabase t;
    QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
    CBackupDlg dialog(t.db, t.prompt, settings, t.folder());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("备份数据库"));
    QVERIFY(dialog.path()->isReadOnly());
    QCOMPARE(dialog.path()->text(), t.folder() + QLatin1Char('/'));
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    QVERIFY(focused);
    QCOMPARE(focused->text(), QStringLiteral("备份"));
    QTest::keyClick(focused, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(t.prompt.texts(), QStringList{QStringLiteral("备份数据库完成!")});
    QVERIFY(QFile::exists(QDir(t.folder()).filePath(QStringLiteral("20261206213005.bak"))));

    CBackupDlg cancelled(t.db, t.prompt, settings, t.folder());
    cancelled.show();
    QVERIFY(QTest::qWaitForWindowActive(&cancelled));
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    QCOMPARE(t.prompt.texts().size(), 1);
}

PELVAR_TEST(TestBackup)
#include "tst_Backup.moc"
