#include "CReturnQtyDlg.h"

#include "OkCancelRow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CReturnQtyDlg::CReturnQtyDlg(const ConsumptionList& list, ConsumptionList::ReturnEntry& entry,
                             QWidget* parent)
    : QDialog(parent), m_list(list), m_entry(entry), m_quantity(new QLineEdit(entry.quantity, this)),
      m_reason(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("指定退单数量"));
    m_quantity->setObjectName(QStringLiteral("quantity"));
    m_reason->setObjectName(QStringLiteral("reason"));
    m_reason->setEditable(true);
    m_reason->setInsertPolicy(QComboBox::NoInsert);
    m_reason->addItems(entry.reasons);
    m_reason->setCurrentIndex(-1);
    m_reason->setMinimumWidth(200);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("项目名称:"), new QLabel(entry.name, this));
    form->addRow(QStringLiteral("可退数量:"), new QLabel(entry.returnableText, this));
    form->addRow(QStringLiteral("退单数量:"), m_quantity);
    form->addRow(QStringLiteral("退单原因:"), m_reason);

    QHBoxLayout* buttons = okCancelRow(this, [this] { onOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_quantity->selectAll();
    m_quantity->setFocus();
}

void CReturnQtyDlg::onOk()
{
    m_entry.quantity = m_quantity->text().trimmed();
    m_entry.reason = m_reason->currentText().trimmed();
    ConsumptionList::ReturnField wrong = ConsumptionList::ReturnField::None;
    if (m_list.checkReturnEntry(m_entry, &wrong)) {
        accept();
        return;
    }
    if (wrong == ConsumptionList::ReturnField::Reason) {
        m_reason->setFocus();
    } else {
        m_quantity->setFocus();
        m_quantity->selectAll();
    }
}
