#include "CBcDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QTimeEdit* timePicker(QWidget* parent)
{
    auto* picker = new QTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

} // namespace

CBcDlg::CBcDlg(Database& db, int number, QWidget* parent)
    : QDialog(parent), m_shifts(db), m_number(number), m_name(new QLineEdit(this)), m_start(timePicker(this)),
      m_end(timePicker(this))
{
    setWindowTitle(number == 0 ? QStringLiteral("增加班次") : QStringLiteral("修改营业班次"));
    // A shift that is gone leaves the fields empty; saving it then reports it again.
    const BusinessShifts::Shift shift =
        number == 0
            ? BusinessShifts::blank()
            : m_shifts.find(number).value_or(BusinessShifts::Shift{number, {}, QTime(0, 0), QTime(0, 0)});
    m_name->setText(shift.name);
    m_start->setTime(shift.start);
    m_end->setTime(shift.end);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("班次名称:"), m_name);
    fields->addRow(QStringLiteral("起始时间:"), m_start);
    fields->addRow(QStringLiteral("结束时间:"), m_end);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBcDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    m_name->setFocus();
}

void CBcDlg::onOk()
{
    switch (m_shifts.save({m_number, m_name->text(), m_start->time(), m_end->time()})) {
    case BusinessShifts::Result::Saved:
        accept();
        break;
    case BusinessShifts::Result::NameRefused:
        m_name->setFocus();
        break;
    case BusinessShifts::Result::StartRefused:
        m_start->setFocus();
        break;
    case BusinessShifts::Result::EndRefused:
        m_end->setFocus();
        break;
    case BusinessShifts::Result::Failed:
        break;
    }
}
