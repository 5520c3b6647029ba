#include "TableBatchDialog.h"

#include "TableSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TableBatchDialog::TableBatchDialog(TableSettings& tables, const QStringList& rooms, const QString& room,
                                   QWidget* parent)
    : QDialog(parent), m_tables(tables), m_from(new QLineEdit(this)), m_to(new QLineEdit(this)),
      m_mark(new QLineEdit(this)), m_before(new QRadioButton(QStringLiteral("置前"), this)),
      m_after(new QRadioButton(QStringLiteral("置后"), this)), m_seats(new QLineEdit(this)),
      m_room(new QComboBox(this))
{
    setWindowTitle(TableSettings::kBatchTitle);
    for (QLineEdit* number : {m_from, m_to, m_seats})
        number->setValidator(new QIntValidator(0, 9999, number));
    m_before->setChecked(true);
    m_room->addItems(rooms);
    m_room->setCurrentIndex(m_room->findText(room));

    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("至"), this));
    range->addWidget(m_to);
    auto* mark = new QHBoxLayout;
    mark->addWidget(m_mark);
    mark->addWidget(m_before);
    mark->addWidget(m_after);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("餐桌范围:"), range);
    fields->addRow(QStringLiteral("标记字符:"), mark);
    fields->addRow(QStringLiteral("座位数:"), m_seats);
    fields->addRow(QStringLiteral("房间名:"), m_room);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TableBatchDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    m_from->setFocus();
}

void TableBatchDialog::onOk()
{
    TableSettings::Batch batch;
    batch.from = m_from->text();
    batch.to = m_to->text();
    batch.mark = m_mark->text().trimmed();
    batch.markBefore = m_before->isChecked();
    batch.seats = m_seats->text();
    batch.room = m_room->currentText();
    const TableSettings::Result result = m_tables.addBatch(batch);
    if (result) {
        accept();
        return;
    }
    const QMap<TableSettings::Input, QWidget*> fields{{TableSettings::Input::From, m_from},
                                                      {TableSettings::Input::To, m_to},
                                                      {TableSettings::Input::Seats, m_seats},
                                                      {TableSettings::Input::Room, m_room}};
    if (QWidget* field = fields.value(result.input))
        field->setFocus();
}
