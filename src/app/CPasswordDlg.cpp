#include "CPasswordDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CPasswordDlg::CPasswordDlg(Database& db, Prompt& prompt, const QString& operatorName, QWidget* parent)
    : QDialog(parent), m_accounts(db, prompt), m_operatorName(operatorName), m_old(new QLineEdit(this)),
      m_new(new QLineEdit(this)), m_confirmation(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("更改密码"));
    for (QLineEdit* field : {m_old, m_new, m_confirmation})
        field->setEchoMode(QLineEdit::Password);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("原密码:"), m_old);
    form->addRow(QStringLiteral("新密码:"), m_new);
    form->addRow(QStringLiteral("确认新密码:"), m_confirmation);
    form->addRow(buttons);
    setMinimumWidth(300);
    m_old->setFocus();
}

void CPasswordDlg::onOk()
{
    if (m_accounts.changePassword(m_operatorName, m_old->text(), m_new->text(), m_confirmation->text()))
        accept();
}
