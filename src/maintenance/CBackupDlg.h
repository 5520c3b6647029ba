#pragma once

#include "DatabaseBackup.h"

#include <QDialog>

class QLineEdit;

// 备份数据库: the folder (read-only, chosen with 浏览), 备份 and 取消. Shown by 数据库备份
// and at every exit.
class CBackupDlg final : public QDialog
{
    Q_OBJECT
public:
    CBackupDlg(Database& db, Prompt& prompt, QSettings& settings, const QString& programFolder,
               QWidget* parent = nullptr);

    QLineEdit* path() const { return m_path; }

private:
    void browse();
    void onBackup();

    DatabaseBackup m_backup;
    QString m_programFolder;
    QLineEdit* m_path;
};
