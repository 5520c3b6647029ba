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

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
}

CPelvarApp::CPelvarApp(Prompt& prompt, const QString& dataFolder)
    : m_prompt(prompt), m_dataFolder(dataFolder),
      m_lock(QDir(dataFolder).filePath(QStringLiteral("Pelvar.lock"))), m_db(prompt),
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

bool CPelvarApp::openData(bool demo)
{
    if (!m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError) {
        m_prompt.warn(kAlreadyRunning);
        return false;
    }
    try {
        const QString path = QDir(m_dataFolder).filePath(Database::kFileName);
        const bool fresh = !QFileInfo::exists(path);
        m_db.open(path);
        if (demo && fresh)
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
