#include "FirstPasswordDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FirstPasswordDialog::FirstPasswordDialog(OperatorAccounts& accounts, const QString& name, QWidget* parent)
    : QDialog(parent), m_accounts(accounts), m_name(name), m_password(new QLineEdit(this)),
      m_confirmation(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("设置密码"));
    for (QLineEdit* field : {m_password, m_confirmation})
        field->setEchoMode(QLineEdit::Password);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &FirstPasswordDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("“%1”还没有密码,请先设置密码:").arg(name), this));
    form->addRow(QStringLiteral("新密码:"), m_password);
    form->addRow(QStringLiteral("确认新密码:"), m_confirmation);
    form->addRow(buttons);
    setMinimumWidth(300);
    m_password->setFocus();
}

void FirstPasswordDialog::onOk()
{
    if (m_accounts.setFirstPassword(m_name, m_password->text(), m_confirmation->text(), m_loggedIn)) {
        accept();
        return;
    }
    m_password->clear();
    m_confirmation->clear();
    m_password->setFocus();
}
