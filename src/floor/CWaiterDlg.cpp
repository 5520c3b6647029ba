#include "CWaiterDlg.h"

#include "WaiterField.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

CWaiterDlg::CWaiterDlg(Database& db, const QString& registrationNumber, int waiter, QWidget* parent)
    : QDialog(parent), m_opening(db), m_number(registrationNumber), m_field(new WaiterField(db, this))
{
    setWindowTitle(QStringLiteral("服务生"));
    m_field->preset(waiter);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("服务生:"), m_field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    // Room under the field for its list.
    layout->addSpacing(140);
    layout->addWidget(buttons);
    setMinimumWidth(280);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWaiterDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWaiterDlg::reject);
    connect(m_field, &WaiterField::picked, buttons->button(QDialogButtonBox::Ok),
            [buttons] { buttons->button(QDialogButtonBox::Ok)->setFocus(); });
}

void CWaiterDlg::accept()
{
    if (m_opening.setWaiter(m_number, m_field->waiterId()))
        QDialog::accept();
}
