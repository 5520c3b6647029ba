#include "CFjPage.h"

#include "Access.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Operator.h"
#include "RoomDialog.h"
#include "TableBatchDialog.h"
#include "TableDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// A row of buttons, right-aligned; the buttons are appended to `order`.
QHBoxLayout* buttonRow(CFjPage* page, const QList<Command>& commands, QList<QWidget*>& order)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : addCommands(row, page, commands))
        order << button;
    return row;
}

// The list is wide enough for its columns, so the sheet opens without a scroll bar.
void fitColumns(CPrintListReportCtrl* list)
{
    list->setMinimumWidth(list->horizontalHeader()->length() + list->verticalScrollBar()->sizeHint().width() +
                          2 * list->frameWidth());
}

} // namespace

CFjPage::CFjPage(Database& db, Prompt& prompt, const Operator& current, DefaultPrinter& printer,
                 QWidget* parent)
    : QWidget(parent), m_prompt(prompt), m_current(current), m_rooms(db, prompt), m_tables(db, prompt),
      m_roomList(new CPrintListReportCtrl(prompt, printer, this)),
      m_tableList(new CPrintListReportCtrl(prompt, printer, this)), m_filter(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("房间餐桌设置"));
    m_roomList->SetColumnSpec(RoomSettings::kColumns);
    m_tableList->SetColumnSpec(TableSettings::kColumns);
    fitColumns(m_roomList);
    fitColumns(m_tableList);
    // The keys go through the page as the eye does: rooms, their buttons, then the tables.
    QList<QWidget*> order{m_roomList};

    auto* roomsBox = new QGroupBox(QStringLiteral("房间"), this);
    auto* rooms = new QVBoxLayout(roomsBox);
    rooms->addWidget(m_roomList);
    rooms->addLayout(buttonRow(this,
                               {{QStringLiteral("添加"), [this] { addRoom(); }},
                                {QStringLiteral("修改"), [this] { changeRoom(); }},
                                {QStringLiteral("删除"), [this] { removeRoom(); }}},
                               order));
    order << m_filter << m_tableList;

    auto* tablesBox = new QGroupBox(QStringLiteral("餐桌"), this);
    auto* filter = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("房间名:"), this);
    filterLabel->setBuddy(m_filter);
    filter->addWidget(filterLabel);
    filter->addWidget(m_filter, 1);
    auto* tables = new QVBoxLayout(tablesBox);
    tables->addLayout(filter);
    tables->addWidget(m_tableList);
    tables->addLayout(buttonRow(this,
                                {{QStringLiteral("添加"), [this] { addTable(); }},
                                 {QStringLiteral("批量添加"), [this] { addTables(); }},
                                 {QStringLiteral("修改"), [this] { changeTable(); }},
                                 {QStringLiteral("删除"), [this] { removeTable(); }}},
                                order));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(roomsBox, m_roomList->minimumWidth());
    layout->addWidget(tablesBox, m_tableList->minimumWidth());

    loadRooms();
    loadFilter(TableSettings::kAllRooms);
    connect(m_filter, &QComboBox::currentTextChanged, this, &CFjPage::loadTables);
    connect(m_roomList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QString room = m_roomList->selectedRowTexts().value(RoomSettings::Name);
        if (!room.isEmpty())
            roomSelected(room);
    });
}

void CFjPage::addRoom()
{
    if (!granted(Right::Fjqx))
        return;
    RoomDialog dialog(m_rooms, QString(), QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    loadRooms();
    loadFilter(m_filter->currentText());
}

void CFjPage::changeRoom()
{
    if (!granted(Right::Fjqx))
        return;
    const QString name = m_roomList->selectedRowTexts().value(RoomSettings::Name);
    if (!m_rooms.mayChange(name))
        return;
    RoomDialog dialog(m_rooms, name, m_roomList->selectedRowTexts().value(RoomSettings::Note), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString shown = m_filter->currentText();
    const QString renamed = dialog.nameEdit()->text().trimmed();
    loadRooms();
    loadFilter(shown == name ? renamed : shown);
}

void CFjPage::removeRoom()
{
    if (!granted(Right::Fjqx))
        return;
    if (!m_rooms.remove(m_roomList->selectedRowTexts().value(RoomSettings::Name)))
        return;
    loadRooms();
    loadFilter(m_filter->currentText());
}

void CFjPage::addTable()
{
    if (!granted(Right::Czqx))
        return;
    TableDialog dialog(m_tables, m_rooms.names(), QString(), filteredRoom(), this);
    if (dialog.exec() == QDialog::Accepted)
        loadTables();
}

void CFjPage::addTables()
{
    if (!granted(Right::Czqx))
        return;
    TableBatchDialog dialog(m_tables, m_rooms.names(), filteredRoom(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Every room's tables, so the new ones show whichever room they went to.
    m_filter->setCurrentIndex(0);
    loadTables();
}

void CFjPage::changeTable()
{
    if (!granted(Right::Czqx))
        return;
    const QString name = m_tableList->selectedRowTexts().value(TableSettings::Name);
    if (!m_tables.mayChange(name))
        return;
    TableDialog dialog(m_tables, m_rooms.names(), name, QString(), this);
    if (dialog.exec() == QDialog::Accepted)
        loadTables();
}

void CFjPage::removeTable()
{
    if (!granted(Right::Czqx))
        return;
    const QList<int> rows = m_tableList->selectedRows();
    if (m_tables.remove(m_tableList->selectedRowTexts().value(TableSettings::Name)))
        m_tableList->DeleteRow(rows.first());
}

bool CFjPage::granted(Right right)
{
    return Access::granted(m_current, right, m_prompt);
}

QString CFjPage::filteredRoom() const
{
    return m_filter->currentIndex() > 0 ? m_filter->currentText() : QString();
}

void CFjPage::loadRooms()
{
    // Refilling the list is no choice of a room by the operator.
    const QSignalBlocker blocker(m_roomList->selectionModel());
    m_roomList->setRows(m_rooms.rows());
}

void CFjPage::loadFilter(const QString& room)
{
    const QSignalBlocker blocker(m_filter);
    m_filter->clear();
    m_filter->addItem(TableSettings::kAllRooms);
    m_filter->addItems(m_rooms.names());
    m_filter->setCurrentIndex(qMax(0, m_filter->findText(room)));
    loadTables();
}

void CFjPage::loadTables()
{
    m_tableList->setRows(m_tables.rows(m_filter->currentText()));
}

void CFjPage::roomSelected(const QString& room)
{
    m_filter->setCurrentIndex(m_filter->findText(room));
}
