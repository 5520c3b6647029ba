#include "WaiterDialog.h"

#include "Clock.h"
#include "WaiterSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

WaiterDialog::WaiterDialog(WaiterSettings& waiters, int id, QWidget* parent)
    : QDialog(parent), m_waiters(waiters), m_id(id), m_name(new QLineEdit(this)), m_sex(new QComboBox(this)),
      m_hasBirthDate(new QCheckBox(this)), m_birthDate(new QDateEdit(this)), m_contact(new QLineEdit(this)),
      m_idCard(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("服务生信息"));
    m_sex->addItems(WaiterSettings::kSexes);
    m_birthDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_birthDate->setCalendarPopup(true);
    // A waiter need not have a birth date: the box says whether one is stored.
    m_hasBirthDate->setToolTip(QStringLiteral("填写出生日期"));
    connect(m_hasBirthDate, &QCheckBox::toggled, m_birthDate, &QWidget::setEnabled);
    auto* birthRow = new QHBoxLayout;
    birthRow->addWidget(m_hasBirthDate);
    birthRow->addWidget(m_birthDate, 1);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("姓名:"), m_name);
    fields->addRow(QStringLiteral("性别:"), m_sex);
    fields->addRow(QStringLiteral("出生日期:"), birthRow);
    fields->addRow(QStringLiteral("联系方式:"), m_contact);
    fields->addRow(QStringLiteral("身份证:"), m_idCard);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &WaiterDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(320);

    const WaiterSettings::Waiter waiter = id > 0 ? m_waiters.read(id) : WaiterSettings::Waiter{};
    m_name->setText(waiter.name);
    m_sex->setCurrentIndex(qMax(0, m_sex->findText(waiter.sex)));
    m_hasBirthDate->setChecked(waiter.birthDate.isValid());
    m_birthDate->setEnabled(waiter.birthDate.isValid());
    m_birthDate->setDate(waiter.birthDate.isValid() ? waiter.birthDate : Clock::today());
    m_contact->setText(waiter.contact);
    m_idCard->setText(waiter.idCard);
    m_name->setFocus();
}

void WaiterDialog::onOk()
{
    const QDate birthDate = m_hasBirthDate->isChecked() ? m_birthDate->date() : QDate();
    const WaiterSettings::Waiter waiter{m_name->text().trimmed(), m_sex->currentText(), birthDate,
                                        m_contact->text().trimmed(), m_idCard->text().trimmed()};
    const WaiterSettings::Result result = m_id > 0 ? m_waiters.change(m_id, waiter) : m_waiters.add(waiter);
    if (result)
        accept();
    else if (result.input == WaiterSettings::Input::Name)
        m_name->setFocus();
}
