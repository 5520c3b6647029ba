#include "MemberDialog.h"

#include "Clock.h"
#include "MemberLevelSettings.h"
#include "PinyinInitials.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

MemberDialog::MemberDialog(Database& db, Prompt& prompt, int number, QWidget* parent)
    : QDialog(parent), m_members(db, prompt), m_number(number), m_name(new QLineEdit(this)),
      m_initials(new QLineEdit(this)), m_sex(new QComboBox(this)), m_hasBirthday(new QCheckBox(this)),
      m_birthday(new QDateEdit(this)), m_phone(new QLineEdit(this)), m_level(new QComboBox(this)),
      m_card(new QLineEdit(this)), m_note(new QLineEdit(this))
{
    setWindowTitle(number > 0 ? QStringLiteral("修改会员") : QStringLiteral("增加会员"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_birthday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_birthday->setCalendarPopup(true);
    m_birthday->setMinimumDate(QDate(1900, 1, 1));
    for (const MemberLevelSettings::Level& level : MemberLevelSettings(db, prompt).levels())
        m_level->addItem(level.name + QStringLiteral("  ") + level.ratio, level.id);

    const MemberSettings::Member member = number > 0 ? m_members.read(number) : MemberSettings::Member();
    m_name->setText(member.name);
    m_initials->setText(member.initials);
    m_sex->setCurrentIndex(qMax(0, m_sex->findText(member.sex)));
    // A member without a birthday keeps none: the date counts only once its box is ticked.
    m_hasBirthday->setChecked(member.birthday.isValid());
    m_birthday->setDate(member.birthday.isValid() ? member.birthday : Clock::today());
    m_birthday->setEnabled(m_hasBirthday->isChecked());
    connect(m_hasBirthday, &QCheckBox::toggled, m_birthday, &QWidget::setEnabled);
    m_phone->setText(member.phone);
    m_level->setCurrentIndex(qMax(0, m_level->findData(member.level)));
    m_card->setText(member.card);
    m_note->setText(member.note);
    m_name->installEventFilter(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("姓名"), m_name);
    form->addRow(QStringLiteral("简拼"), m_initials);
    form->addRow(QStringLiteral("性别"), m_sex);
    auto* birthdayRow = new QHBoxLayout;
    birthdayRow->addWidget(m_hasBirthday);
    birthdayRow->addWidget(m_birthday, 1);
    form->addRow(QStringLiteral("生日"), birthdayRow);
    form->addRow(QStringLiteral("电话"), m_phone);
    form->addRow(QStringLiteral("会员等级"), m_level);
    form->addRow(QStringLiteral("卡号"), m_card);
    form->addRow(QStringLiteral("备注"), m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MemberDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    m_name->setFocus();
}

bool MemberDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Initials the operator corrected stay until the name itself is edited again.
    if (watched == m_name && event->type() == QEvent::FocusOut && m_name->isModified()) {
        m_initials->setText(GetPinyinInitials(m_name->text()));
        m_name->setModified(false);
    }
    return QDialog::eventFilter(watched, event);
}

void MemberDialog::onOk()
{
    const MemberSettings::Member member{
        m_name->text(),       m_initials->text(),
        m_sex->currentText(), m_hasBirthday->isChecked() ? m_birthday->date() : QDate(),
        m_phone->text(),      m_level->currentData().toInt(),
        m_card->text(),       m_note->text()};
    const MemberSettings::Result result =
        m_number > 0 ? m_members.change(m_number, member) : m_members.add(member);
    if (result)
        accept();
    else if (result.input == MemberSettings::Input::Name)
        m_name->setFocus();
    else if (result.input == MemberSettings::Input::Level)
        m_level->setFocus();
}
