#include "QuantityDialog.h"

#include "BillModification.h"
#include "OkCancelRow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

QuantityDialog::QuantityDialog(Prompt& prompt, const QString& item, const QString& quantity, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_quantity(new QLineEdit(quantity, this))
{
    setWindowTitle(QStringLiteral("修改数量"));
    auto* name = new QLabel(item, this);
    name->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("项目名:"), name);
    form->addRow(QStringLiteral("消费数量:"), m_quantity);
    form->addRow(okCancelRow(this, [this] { onOk(); }));
    m_quantity->selectAll();
    m_quantity->setFocus();
}

QString QuantityDialog::quantity() const
{
    return m_quantity->text();
}

void QuantityDialog::onOk()
{
    if (const std::optional<QString> accepted =
            BillModification::acceptQuantity(m_prompt, m_quantity->text())) {
        m_quantity->setText(*accepted);
        accept();
        return;
    }
    m_quantity->setFocus();
    m_quantity->selectAll();
}
