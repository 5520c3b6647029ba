#include "CUserDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CUserDlg::CUserDlg(Database& db, Prompt& prompt, const Operator& current, const QString& name,
                   QWidget* parent)
    : QDialog(parent), m_accounts(db, prompt), m_current(current), m_adding(name.isEmpty()),
      m_name(new QLineEdit(this)), m_password(new QLineEdit(this)), m_confirmation(new QLineEdit(this)),
      m_phone(new QLineEdit(this)), m_lowestDiscount(new QLineEdit(this)),
      m_largestRoundOff(new QLineEdit(this)), m_note(new QLineEdit(this)),
      m_all(new QCheckBox(QStringLiteral("全选"), this))
{
    setWindowTitle(m_adding ? QStringLiteral("操作员信息") : QStringLiteral("修改用户信息"));
    m_password->setEchoMode(QLineEdit::Password);
    m_confirmation->setEchoMode(QLineEdit::Password);
    m_lowestDiscount->installEventFilter(this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("姓名:"), m_name);
    fields->addRow(QStringLiteral("密码:"), m_password);
    fields->addRow(QStringLiteral("确认密码:"), m_confirmation);
    fields->addRow(QStringLiteral("联系电话:"), m_phone);
    fields->addRow(QStringLiteral("最低折扣:"), m_lowestDiscount);
    fields->addRow(QStringLiteral("最大抹零金额:"), m_largestRoundOff);
    fields->addRow(QStringLiteral("备注:"), m_note);

    auto* rightsBox = new QGroupBox(QStringLiteral("可操作权限"), this);
    auto* grid = new QGridLayout(rightsBox);
    for (int i = 0; i < Rights::kCount; ++i) {
        m_rights[i] = new QCheckBox(Rights::label(Rights::at(i)), rightsBox);
        grid->addWidget(m_rights[i], i / 3, i % 3);
    }
    grid->addWidget(m_all, Rights::kCount / 3 + 1, 0);
    connect(m_all, &QCheckBox::clicked, this, [this](bool checked) {
        for (QCheckBox* box : m_rights)
            if (box->isEnabled())
                box->setChecked(checked);
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CUserDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addWidget(rightsBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    // What the operator may not change is shown but not offered; the operation refuses it anyway.
    if (!m_current.isAdministrator())
        for (Right right : {Right::Czyqx, Right::Sjqlqx, Right::Sjhyqx})
            m_rights[int(right)]->setEnabled(false);
    if (m_adding) {
        m_lowestDiscount->setText(QStringLiteral("1.00"));
        m_name->setFocus();
        return;
    }
    if (name == m_current.name()) {
        for (QWidget* field : std::initializer_list<QWidget*>{m_lowestDiscount, m_largestRoundOff, m_all})
            field->setEnabled(false);
        for (QCheckBox* box : m_rights)
            box->setEnabled(false);
    }
    bool hasPassword = false;
    m_record = m_accounts.read(name, &hasPassword);
    m_name->setText(m_record.name);
    m_name->setEnabled(false);
    const bool mayChangePassword = OperatorAccounts::mayResetPassword(m_current, m_adding);
    if (hasPassword || !mayChangePassword) {
        m_password->setText(OperatorAccounts::kUnchangedPassword);
        m_confirmation->setText(OperatorAccounts::kUnchangedPassword);
    }
    m_password->setEnabled(mayChangePassword);
    m_confirmation->setEnabled(mayChangePassword);
    m_phone->setText(m_record.phone);
    m_lowestDiscount->setText(m_record.lowestDiscount);
    m_largestRoundOff->setText(m_record.largestRoundOff);
    m_note->setText(m_record.note);
    for (int i = 0; i < Rights::kCount; ++i)
        m_rights[i]->setChecked(m_record.rights[i]);
    if (mayChangePassword)
        m_password->setFocus();
    else
        m_phone->setFocus();
}

bool CUserDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the ratio for another field of this dialog checks it and comes back; losing the
    // focus to the message box itself must not check again.
    if (watched == m_lowestDiscount && event->type() == QEvent::FocusOut && isActiveWindow() &&
        !m_accounts.checkLowestDiscount(m_lowestDiscount->text()))
        m_lowestDiscount->setFocus();
    return QDialog::eventFilter(watched, event);
}

void CUserDlg::collect()
{
    m_record.name = m_name->text();
    m_record.phone = m_phone->text();
    m_record.lowestDiscount = m_lowestDiscount->text();
    m_record.largestRoundOff = m_largestRoundOff->text();
    m_record.note = m_note->text();
    for (int i = 0; i < Rights::kCount; ++i)
        m_record.rights[i] = m_rights[i]->isChecked();
}

void CUserDlg::onOk()
{
    collect();
    if (m_accounts.save(m_current, m_record, m_password->text(), m_confirmation->text(), m_adding))
        accept();
}
