#include "CTasteDlg.h"

#include "OkCancelRow.h"

#include "ConsumptionList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CTasteDlg::CTasteDlg(ConsumptionList& list, int row, QWidget* parent)
    : QDialog(parent), m_list(list), m_row(row), m_taste(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("口味"));
    m_taste->setObjectName(QStringLiteral("taste"));
    m_taste->setEditable(true);
    m_taste->setInsertPolicy(QComboBox::NoInsert);
    m_taste->addItems(list.tasteChoices());
    m_taste->setMinimumWidth(200);
    QString note;
    if (list.readNote(row, &note))
        m_taste->setEditText(note);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("项目名称:"), new QLabel(list.lines().value(row).name, this));
    form->addRow(QStringLiteral("口味:"), m_taste);

    QHBoxLayout* buttons = okCancelRow(this, [this] { onOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_taste->setFocus();
    m_taste->lineEdit()->selectAll();
}

void CTasteDlg::onOk()
{
    if (m_list.SetNote(m_row, m_taste->currentText()))
        accept();
}
