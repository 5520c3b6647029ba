#include "CSrZcDlg.h"

#include "Clock.h"
#include "OkCancelRow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CSrZcDlg::CSrZcDlg(Finance& finance, Finance::Kind kind, QWidget* parent)
    : QDialog(parent), m_finance(finance), m_kind(kind), m_name(new QComboBox(this)),
      m_amount(new QLineEdit(this)), m_person(new QLineEdit(this)), m_note(new QLineEdit(this)),
      m_date(new QDateEdit(Clock::today(), this))
{
    setWindowTitle(Finance::title(kind));
    m_name->setEditable(true);
    m_name->addItems(finance.names(kind));
    m_name->setCurrentText(QString());
    const QDate today = Clock::today();
    m_date->setDateRange(QDate(today.year(), today.month(), 1), today);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("项目名称:"), m_name);
    form->addRow(QStringLiteral("项目金额:"), m_amount);
    form->addRow(QStringLiteral("经 办 人:"), m_person);
    form->addRow(QStringLiteral("备　　注:"), m_note);
    form->addRow(QStringLiteral("发生日期:"), m_date);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(okCancelRow(this, [this] { accept(); }));
    setMinimumWidth(320);
    m_name->setFocus();
}

void CSrZcDlg::accept()
{
    const Outcome<Finance::Input> outcome = m_finance.add(
        m_kind, {m_name->currentText(), m_amount->text(), m_person->text(), m_note->text(), m_date->date()});
    if (outcome) {
        QDialog::accept();
        return;
    }
    QWidget* fields[] = {nullptr, m_name, m_amount, m_person};
    if (QWidget* field = fields[int(outcome.input)])
        field->setFocus();
}
