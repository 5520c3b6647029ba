#include "CTransferDlg.h"

#include "OkCancelRow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CTransferDlg::CTransferDlg(ConsumptionList& list, ConsumptionList::TransferEntry& entry, QWidget* parent)
    : QDialog(parent), m_list(list), m_entry(entry), m_target(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("消费转单"));
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setEditable(true);
    m_target->setInsertPolicy(QComboBox::NoInsert);
    // The other occupied tables to choose from; any name may be typed.
    for (const ConsumptionList::OccupiedTable& table : list.occupiedTables())
        if (table.name != entry.table)
            m_target->addItem(table.name);
    m_target->setCurrentIndex(-1);
    m_target->setMinimumWidth(160);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("当前餐桌:"), new QLabel(entry.table, this));
    form->addRow(QStringLiteral("项目名称:"), new QLabel(entry.name, this));
    form->addRow(QStringLiteral("金额:"), new QLabel(entry.amount, this));
    form->addRow(QStringLiteral("目标餐桌:"), m_target);

    QHBoxLayout* buttons = okCancelRow(this, [this] { onOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("说明:点击确定后,项目将转入目标餐桌中。"), this));
    layout->addLayout(buttons);
    m_target->setFocus();
}

void CTransferDlg::onOk()
{
    const QString target = m_target->currentText().trimmed();
    if (m_list.checkTransferTarget(target)) {
        m_entry.target = target;
        accept();
        return;
    }
    m_target->setCurrentIndex(-1);
    m_target->clearEditText();
    m_target->setFocus();
}
