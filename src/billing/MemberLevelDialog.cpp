#include "MemberLevelDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

MemberLevelDialog::MemberLevelDialog(Database& db, Prompt& prompt, const MemberLevelSettings::Level& level,
                                     QWidget* parent)
    : QDialog(parent), m_levels(db, prompt), m_id(level.id), m_name(new QLineEdit(level.name, this)),
      m_ratio(new QLineEdit(level.ratio, this))
{
    setWindowTitle(level.id > 0 ? MemberLevelSettings::kChangeTitle : MemberLevelSettings::kAddTitle);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("等级名称"), m_name);
    form->addRow(QStringLiteral("折扣"), m_ratio);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MemberLevelDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(260);
    m_name->setFocus();
}

void MemberLevelDialog::onOk()
{
    const MemberLevelSettings::Result result = m_id > 0
                                                   ? m_levels.change(m_id, m_name->text(), m_ratio->text())
                                                   : m_levels.add(m_name->text(), m_ratio->text());
    if (result)
        accept();
    else if (result.input == MemberLevelSettings::Input::Name)
        m_name->setFocus();
    else if (result.input == MemberLevelSettings::Input::Ratio) {
        m_ratio->setFocus();
        m_ratio->selectAll();
    }
}
