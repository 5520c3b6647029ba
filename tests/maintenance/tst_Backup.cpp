#include "CBackupDlg.h"
#include "Clock.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

class TestBackup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsFolder;
    const QString kFile = "20261206213005.bak";

    // The operators in a backup file, read through a connection of its own.
    static QString operatorsIn(const QString& file)
    {
        ScriptedPrompt prompt;
        Database copy(prompt);
        copy.open(file);
        return copy.query("select group_concat(xm) from (select xm from [user] order by xm)")
            .value(0)
            .toString();
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(21, 30, 5)));
    }
    void init() { QSettings(QSettings::UserScope, "Orvo餐饮").clear(); }

    void backupIsASnapshotAndOnlyAGoodOneIsRemembered()
    {
        TestDatabase t;
        QSettings settings(QSettings::UserScope, "Orvo餐饮");
        DatabaseBackup backup(t.db, t.prompt, settings, t.folder());
        QCOMPARE(backup.folder(), t.folder() + '/');
        t.exec("insert into [user](xm) values('张三')"); // still only in the write-ahead log
        QTemporaryDir target;
        QVERIFY(backup.backup(target.path()));
        t.exec("insert into [user](xm) values('王五')");
        QVERIFY(backup.backup(target.path() + '/')); // the same second: the file is replaced
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{kFile});
        QCOMPARE(operatorsIn(target.filePath(kFile)), "张三,王五,系统管理员");
        QCOMPARE(backup.folder(), target.path() + '/');
        QVERIFY(backup.backup(QString())); // no folder chosen: nothing to do
        QVERIFY(!backup.backup(target.filePath("missing")));
        QCOMPARE(t.prompt.texts(), (QStringList{"备份数据库完成!", "备份数据库完成!", "备份数据库出错!"}));
        QCOMPARE(settings.value("backpath").toString(), target.path() + '/');
        QCOMPARE(QDir(target.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kFile});
        t.exec("insert into [user](xm) values('李四')"); // the open database goes on
    }

    void dialogBacksUpWithTheKeyboard()
    {
        TestDatabase t;
        QSettings settings(QSettings::UserScope, "Orvo餐饮");
        CBackupDlg dialog(t.db, t.prompt, settings, t.folder());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), "备份数据库");
        QCOMPARE(dialog.path()->text(), t.folder() + '/');
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QVERIFY(focused && focused->text() == "备份");
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(t.prompt.texts(), QStringList{"备份数据库完成!"});
        QVERIFY(QFile::exists(QDir(t.folder()).filePath(kFile)));
    }
};

PELVAR_TEST(TestBackup)
#include "tst_Backup.moc"
