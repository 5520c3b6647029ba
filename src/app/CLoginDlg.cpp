#include "CLoginDlg.h"

#include "FirstPasswordDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(Database& db, Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_accounts(db, prompt), m_name(new QComboBox(this)), m_password(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Orvo餐饮收银系统"));
    m_name->addItems(m_accounts.names());
    m_password->setEchoMode(QLineEdit::Password);

    auto* heading = new QLabel(QStringLiteral("系统登陆"), this);
    QFont font = heading->font();
    font.setPointSize(font.pointSize() * 3 / 2);
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("操作员:"), m_name);
    form->addRow(QStringLiteral("密  码:"), m_password);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLoginDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    m_password->setFocus();
}

void CLoginDlg::onOk()
{
    bool mustSetPassword = false;
    if (m_accounts.login(m_name->currentText(), m_password->text(), m_loggedIn, &mustSetPassword)) {
        accept();
        return;
    }
    if (mustSetPassword) {
        FirstPasswordDialog first(m_accounts, m_name->currentText(), this);
        if (first.exec() == QDialog::Accepted) {
            m_loggedIn = first.loggedIn();
            accept();
            return;
        }
    }
    m_password->clear();
    m_password->setFocus();
}
