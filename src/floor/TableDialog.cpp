#include "TableDialog.h"

#include "TableSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QVBoxLayout>

TableDialog::TableDialog(TableSettings& tables, const QStringList& rooms, const QString& oldName,
                         const QString& room, QWidget* parent)
    : QDialog(parent), m_tables(tables), m_oldName(oldName), m_name(new QLineEdit(this)),
      m_seats(new QLineEdit(this)), m_room(new QComboBox(this))
{
    setWindowTitle(oldName.isEmpty() ? TableSettings::kAddTitle : TableSettings::kChangeTitle);
    m_seats->setValidator(new QIntValidator(0, 9999, m_seats));
    m_room->addItems(rooms);
    m_room->setCurrentIndex(-1);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("餐桌名:"), m_name);
    fields->addRow(QStringLiteral("座位数:"), m_seats);
    fields->addRow(QStringLiteral("房间名:"), m_room);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TableDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(320);

    if (oldName.isEmpty()) {
        m_room->setCurrentIndex(m_room->findText(room));
    } else {
        const TableSettings::Table table = m_tables.read(oldName);
        m_name->setText(table.name);
        m_seats->setText(table.seats);
        m_room->setCurrentIndex(m_room->findText(table.room));
    }
    m_name->setFocus();
}

void TableDialog::onOk()
{
    const TableSettings::Table table{m_name->text().trimmed(), m_seats->text(), m_room->currentText()};
    const TableSettings::Result result =
        m_oldName.isEmpty() ? m_tables.add(table) : m_tables.change(m_oldName, table);
    if (result) {
        accept();
        return;
    }
    const QMap<TableSettings::Input, QWidget*> fields{{TableSettings::Input::Name, m_name},
                                                      {TableSettings::Input::Seats, m_seats},
                                                      {TableSettings::Input::Room, m_room}};
    if (QWidget* field = fields.value(result.input))
        field->setFocus();
}
