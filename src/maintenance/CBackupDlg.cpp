#include "CBackupDlg.h"

#include "FileDialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CBackupDlg::CBackupDlg(Database& db, Prompt& prompt, QSettings& settings, const QString& programFolder,
                       QWidget* parent)
    : QDialog(parent), m_backup(db, prompt, settings, programFolder), m_programFolder(programFolder),
      m_path(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("备份数据库"));
    m_path->setReadOnly(true);
    m_path->setText(m_backup.folder());

    auto* browse = new QPushButton(QStringLiteral("浏览"), this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CBackupDlg::browse);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* backup = buttons->addButton(QStringLiteral("备份"), QDialogButtonBox::AcceptRole);
    backup->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBackupDlg::onBackup);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("备份路径:"), this));
    row->addWidget(m_path, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(480);
    backup->setFocus();
}

void CBackupDlg::browse()
{
    const QString chosen =
        FileDialogs::folder(this, QStringLiteral("选择备份路径"), m_programFolder);
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void CBackupDlg::onBackup()
{
    m_backup.backup(m_path->text());
    accept();
}
