#include "CBackupDlg.h"
#include "CPrintListReportCtrl.h"
#include "FileDialogs.h"
#include "ModalDialogs.h"
#include "SettingsPageFixture.h"
#include "TestMain.h"

#include <QFileDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// What a second program reads from the restaurant's file, through the maintenance tool.
QString readElsewhere(const QString& folder, const QString& statement)
{
    QProcess tool;
    tool.start(QStringLiteral(PELVAR_SQL), {QStringLiteral("--data-dir"), folder, statement});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(tool.readAllStandardError());
    return QString::fromUtf8(tool.readAllStandardOutput()).section(QLatin1Char('\n'), 1, 1);
}

} // namespace

// Every file chooser of the program shown on the data folder while the database is open: the files
// are listed (with their type), and the open connection keeps its locks, so that another program
// that reads the database meanwhile leaves the log in place, and the next write reaches the file
// that every later reader opens.
class TestFileDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsFolder;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
    }

    void choosersLeaveTheDatabaseAlone_data()
    {
        QTest::addColumn<QString>("chooser");
        for (const char* chooser : {"数据库还原", "备份 浏览", "导出"})
            QTest::newRow(chooser) << chooser;
    }

    void choosersLeaveTheDatabaseAlone()
    {
        QFETCH(QString, chooser);
        SettingsPageFixture f;
        const QString folder = f.t.folder();
        const QString log = f.t.filePath() + QStringLiteral("-wal");
        f.t.exec(QStringLiteral("insert into fj(fjm) values('大厅')"));
        QVERIFY(QFile::exists(log));
        // Something each chooser shows (a folder, a spreadsheet), to know when the listing is in.
        QVERIFY(QDir(folder).mkdir(QStringLiteral("备份")));
        QFile sheet(QDir(folder).filePath(QStringLiteral("报表.xlsx")));
        QVERIFY(sheet.open(QIODevice::WriteOnly));
        sheet.close();

        bool shown = false;
        bool readOnly = false;
        QString types;
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            dialog->setDirectory(folder);
            if (!dialog->nameFilters().isEmpty())
                dialog->selectNameFilter(dialog->nameFilters().constLast()); // 所有文件
            // Closed whatever the checks find.
            const std::unique_ptr<QFileDialog, void (*)(QFileDialog*)> closing(dialog,
                                                                                [](QFileDialog* d) { d->reject(); });
            auto* model = dialog->findChild<QFileSystemModel*>();
            QVERIFY(model);
            QTRY_VERIFY_WITH_TIMEOUT(model->rowCount(model->index(folder)) > 0, 20000);
            QTest::qWait(200); // the rest of the folder's details
            readOnly = model->isReadOnly();
            // A chooser of files lists them, with the type it shows beside each.
            if (!dialog->testOption(QFileDialog::ShowDirsOnly))
                types = model->type(model->index(f.t.filePath())) + '|' + model->type(model->index(log));
            QCOMPARE(readElsewhere(folder, QStringLiteral("select count(*) from fj")), QStringLiteral("1"));
            shown = true;
        });
        QSettings settings(QSettings::UserScope, QStringLiteral("Orvo餐饮"));
        CBackupDlg backup(f.t.db, f.t.prompt, settings, folder);
        CPrintListReportCtrl report(f.t.prompt, f.printer);
        if (chooser == QStringLiteral("数据库还原"))
            QCOMPARE(FileDialogs::openFile(nullptr, QString(), folder), QString());
        else if (chooser == QStringLiteral("备份 浏览"))
            buttonOf(&backup, QStringLiteral("浏览"))->click();
        else
            report.ExportToExcel();
        QVERIFY(shown);

        QVERIFY2(QFile::exists(log), "the open database's log was deleted");
        f.t.exec(QStringLiteral("insert into fj(fjm) values('包间')"));
        QCOMPARE(readElsewhere(folder, QStringLiteral("select count(*) from fj")), QStringLiteral("2"));
        QVERIFY(readOnly);
        QCOMPARE(types, chooser == QStringLiteral("备份 浏览") ? QString() : QStringLiteral("DB 文件|DB-WAL 文件"));
    }
};

PELVAR_TEST(TestFileDialogs)
#include "tst_FileDialogs.moc"
