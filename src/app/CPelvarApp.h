#pragma once

#include "Database.h"
#include "DefaultPrinter.h"
#include "Operator.h"

#include <memory>
#include <QDateTime>
#include <QLockFile>
#include <QSettings>
#include <QString>

class DefaultPrinter;
class Prompt;
class QWidget;

// The application object: from start-up to exit it holds the lock that keeps one running copy
// per data folder, the connection, the restaurant name read at start-up, the program's settings
// and the operator who is logged in. Windows are handed what they need from it.
class CPelvarApp final
{
public:
    static inline const QString kOrganisation = QStringLiteral("Orvo餐饮");
    // "V2.5": the project's version.
    static inline const QString kVersion = QStringLiteral("V" PELVAR_VERSION);
    static inline const QString kAlreadyRunning = QStringLiteral("该程序已经启动");
    static inline const QString kNoRestaurantRow = QStringLiteral("读取数据库文件错误!");
    // Said instead of making a new, empty database where the restaurant's went missing: the
    // database's path, the program's files still there, the backup folder and its backups.
    static inline const QString kDatabaseMissing = QStringLiteral(
        "数据库文件%1不见了，本程序不会另建一个空的数据库。\n此文件夹中还有本程序的其他文件：%2。\n"
        "备份文件夹是%3，%4\n请把备份文件复制为%1后再启动本程序，或用一个新的文件夹开始新的餐厅。");

    // The process-wide preparations: names for settings and data locations, the program's title
    // that window titles carry, Qt's own Chinese texts for standard buttons and dialogs, and the
    // guard that keeps control characters out of typed text.
    static void prepareProcess();

    CPelvarApp(Prompt& prompt, const QString& dataFolder);
    ~CPelvarApp();
    CPelvarApp(const CPelvarApp&) = delete;
    CPelvarApp& operator=(const CPelvarApp&) = delete;

    // Start-up up to the restaurant name: single copy, database, the gs row. False (after its
    // message) when the program must end. A missing database is made anew only in a folder without
    // the program's other files (kDatabaseMissing). With `demo`, a database created now gets the sample
    // restaurant; an existing one is left as it is.
    bool openData(bool demo = false);
    // The login dialog; false when the operator chose 退出. On success the operator is current.
    bool login(QWidget* parent = nullptr);

    // "Orvo餐饮收银系统 V2.5—" + the restaurant name read at start-up.
    QString mainTitle() const;
    // Writes "用户“name”退出系统" to the log.
    void logExit();

    Database& db() { return m_db; }
    Prompt& prompt() { return m_prompt; }
    QSettings& settings() { return m_settings; }
    const QString& dataFolder() const { return m_dataFolder; }
    // The printer setting that the screens which print share, made when first needed.
    DefaultPrinter& defaultPrinter();
    const QString& restaurantName() const { return m_restaurantName; }
    const Operator& currentOperator() const { return m_operator; }
    // When the current operator logged in: the start of their shift.
    const QDateTime& loginTime() const { return m_loginTime; }
    void setCurrentOperator(const Operator& op);

private:
    // The program's files in the data folder when the database is not there; `lockLeft` when a
    // copy that ended without unlocking left the lock.
    QStringList traces(bool lockLeft) const;

    Prompt& m_prompt;
    QString m_dataFolder;
    QLockFile m_lock;
    Database m_db;
    QSettings m_settings;
    QString m_restaurantName;
    Operator m_operator;
    QDateTime m_loginTime;
    std::unique_ptr<DefaultPrinter> m_defaultPrinter;
};
