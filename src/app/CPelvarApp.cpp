#include "CPelvarApp.h"

#include "Clock.h"
#include "CLoginDlg.h"
#include "DataFolder.h"
#include "DbError.h"
#include "DefaultPrinter.h"
#include "DemoRestaurant.h"
#include "PinyinInitials.h"
#include "Prompt.h"
#include "Sql.h"
#include "TypedTextGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
const QString kLockFile = QStringLiteral("Pelvar.lock");
}

void CPelvarApp::prepareProcess()
{
    QCoreApplication::setOrganizationName(kOrganisation);
    // Qt shows the application's name on a window without a title of its own. (A display name
    // would instead be appended to every title.)
    QCoreApplication::setApplicationName(Prompt::kProgramTitle);
    // The C library then reads the time zone once, instead of looking at /etc/localtime again for
    // every local time converted (a screen of 500 lines converts 500).
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    // Qt's Chinese buttons and dialogs: the copy that comes with the program, else Qt's own.
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString shipped = DataFolder::programFile(QStringLiteral("translations"));
    if ((!shipped.isEmpty() && translator->load(QStringLiteral("qtbase_zh_CN"), shipped)) ||
        translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    TypedTextGuard::install();
}

CPelvarApp::CPelvarApp(Prompt& prompt, const QString& dataFolder)
    : m_prompt(prompt), m_dataFolder(dataFolder),
      m_lock(QDir(dataFolder).filePath(kLockFile)), m_db(prompt),
      m_settings(QSettings::UserScope, kOrganisation)
{
    // Only a running copy holds the lock: one left by a copy that crashed is taken over.
    m_lock.setStaleLockTime(0);
}

CPelvarApp::~CPelvarApp()
{
    m_db.close();
    if (m_lock.isLocked())
        m_lock.unlock();
}

DefaultPrinter& CPelvarApp::defaultPrinter()
{
    if (!m_defaultPrinter)
        m_defaultPrinter = std::make_unique<DefaultPrinter>();
    return *m_defaultPrinter;
}

QStringList CPelvarApp::traces(bool lockLeft) const
{
    QStringList found;
    if (lockLeft)
        found << kLockFile;
    const QDir folder(m_dataFolder);
    for (const QString& name : {QStringLiteral("便签.txt"), QStringLiteral("口味.txt"), QStringLiteral("退单原因.txt"),
                                QStringLiteral("收入.ini"), QStringLiteral("支出.ini"), Database::kFileName + QStringLiteral("-wal")})
        if (folder.exists(name))
            found << name;
    found << folder.entryList({QStringLiteral("*.bak")}, QDir::Files, QDir::Time);
    return found;
}

bool CPelvarApp::openData(bool demo)
{
    const bool lockLeft = QFileInfo::exists(QDir(m_dataFolder).filePath(kLockFile));
    if (!m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError) {
        m_prompt.warn(kAlreadyRunning);
        return false;
    }
    try {
        const QString location = DataFolder::databaseLocation(m_dataFolder);
        // A folder the program has run in but whose file has gone: never silently a new, empty one.
        if (location == QDir(m_dataFolder).filePath(Database::kFileName) && !QFileInfo::exists(location))
            if (const QStringList found = traces(lockLeft); !found.isEmpty()) {
                QString backups = m_settings.value(QStringLiteral("backpath")).toString();
                if (backups.isEmpty())
                    backups = m_dataFolder;
                const QStringList files = QDir(backups).entryList({QStringLiteral("*.bak")}, QDir::Files, QDir::Time);
                m_prompt.error(kDatabaseMissing.arg(
                    QDir::toNativeSeparators(location), found.join(QStringLiteral("、")), QDir::toNativeSeparators(backups),
                    files.isEmpty() ? QStringLiteral("其中没有备份文件。") : QStringLiteral("最新的是%1。").arg(files.first())));
                m_lock.unlock();
                return false;
            }
        m_db.open(location);
        if (demo && m_db.created())
            DemoRestaurant::fill(m_db, m_dataFolder, GetPinyinInitials);
    } catch (const DbError& e) {
        m_prompt.error(e.description());
        return false;
    }
    Recordset gs;
    if (!m_db.OpenRecordset(gs, QStringLiteral("select * from gs")))
        return false;
    if (gs.isEOF()) {
        m_prompt.warn(kNoRestaurantRow);
        return false;
    }
    m_restaurantName = gs.getString(QStringLiteral("gsmc"));
    return true;
}

bool CPelvarApp::login(QWidget* parent)
{
    CLoginDlg dialog(m_db, m_prompt, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setCurrentOperator(dialog.loggedIn());
    return true;
}

void CPelvarApp::setCurrentOperator(const Operator& op)
{
    m_operator = op;
    m_loginTime = Clock::now();
}

QString CPelvarApp::mainTitle() const
{
    return Prompt::kProgramTitle + QLatin1Char(' ') + kVersion + QStringLiteral("—") + m_restaurantName;
}

void CPelvarApp::logExit()
{
    Recordset none;
    m_db.OpenRecordset(
        none, QStringLiteral("insert into log(log) values(") +
                  Sql::quote(QStringLiteral("用户“") + m_operator.name() + QStringLiteral("”退出系统")) +
                  QStringLiteral(")"));
}
