#include "CRightView.h"

#include "CMainFrame.h"
#include "Sql.h"

#include <algorithm>
#include <iterator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The context menu's commands in menu order.
struct MenuCommand
{
    int id;
    TableBoard::Command command;
    const char* text;
};

const MenuCommand kMenu[] = {
    {CMainFrame::OpenTable, TableBoard::Command::OpenTable, "顾客开单\tF2"},
    {CMainFrame::AddConsumption, TableBoard::Command::AddConsumption, "增加消费\tF3"},
    {CMainFrame::Checkout, TableBoard::Command::Checkout, "顾客结账\tF4"},
    {CMainFrame::Reserve, TableBoard::Command::Reserve, "顾客预定"},
    {CMainFrame::ChangeRegistration, TableBoard::Command::ChangeRegistration, "修改登记"},
    {CMainFrame::ChangeTable, TableBoard::Command::ChangeTable, "更换餐桌"},
    {CMainFrame::SplitBill, TableBoard::Command::SplitBill, "拆分账单"},
    {CMainFrame::MergeBill, TableBoard::Command::MergeBill, "合并账单"},
    {CMainFrame::PrintReceipt, TableBoard::Command::PrintReceipt, "打印小票"},
};

// Without a table under the mouse only the commands that choose their own tables remain.
const QList<TableBoard::Command> kNeedNoTable = {TableBoard::Command::Reserve, TableBoard::Command::SplitBill,
                                                 TableBoard::Command::MergeBill};

QColor stateColour(TableBoard::State state)
{
    switch (state) {
    case TableBoard::State::Occupied:
        return QColor(0xd6, 0x3a, 0x2f);
    case TableBoard::State::Reserved:
        return QColor(0xf0, 0x9a, 0x1a);
    case TableBoard::State::Free:
        break;
    }
    return QColor(0x3a, 0xa5, 0x4a);
}

// A round table seen from above with its chairs, the table top in the state's colour.
QPixmap tablePixmap(TableBoard::State state, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    const QColor colour = stateColour(state);
    const qreal pen = size <= 16 ? 4.0 : 2.0;
    p.setPen(QPen(colour.darker(160), pen));
    p.setBrush(colour.lighter(140));
    const int chairs = size <= 16 ? 2 : 4;
    const QPointF seats[] = {{24, 6}, {24, 42}, {6, 24}, {42, 24}};
    for (int i = 0; i < chairs; ++i)
        p.drawEllipse(seats[i], 5.5, 5.5);
    p.setBrush(colour);
    p.drawEllipse(QPointF(24, 24), 14, 14);
    if (size > 16) {
        // A plate on an occupied table, a small flag on a reserved one.
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        if (state == TableBoard::State::Occupied)
            p.drawEllipse(QPointF(24, 24), 6, 6);
        else if (state == TableBoard::State::Reserved) {
            p.drawLine(QPointF(20, 32), QPointF(20, 15));
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF({QPointF(20, 15), QPointF(31, 19), QPointF(20, 23)}));
        }
    }
    return pixmap;
}

// The pane toggles: an arrow that points the way the pane will go.
QIcon arrowIcon(Qt::ArrowType arrow)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x50, 0x90));
    QPolygonF shape;
    switch (arrow) {
    case Qt::LeftArrow:
        shape << QPointF(4, 8) << QPointF(11, 2) << QPointF(11, 14);
        break;
    case Qt::RightArrow:
        shape << QPointF(12, 8) << QPointF(5, 2) << QPointF(5, 14);
        break;
    case Qt::UpArrow:
        shape << QPointF(8, 4) << QPointF(2, 11) << QPointF(14, 11);
        break;
    default:
        shape << QPointF(8, 12) << QPointF(2, 5) << QPointF(14, 5);
        break;
    }
    p.drawPolygon(shape);
    return QIcon(pixmap);
}

QToolButton* toggleButton(const QString& tip, Qt::ArrowType shown, Qt::ArrowType hidden, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIcon(arrowIcon(shown));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::toggled, button, [button, shown, hidden](bool pressed) {
        button->setIcon(arrowIcon(pressed ? hidden : shown));
    });
    return button;
}

} // namespace

QIcon CRightView::stateIcon(TableBoard::State state)
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(tablePixmap(state, size));
    return icon;
}

CRightView::CRightView(Database& db, QWidget* parent)
    : QWidget(parent), m_board(db), m_model(new QStandardItemModel(this)), m_filter(new QComboBox(this)),
      m_style(new QComboBox(this)), m_find(new QLineEdit(this)), m_stack(new QStackedWidget(this)),
      m_icons(new QListView(m_stack)), m_report(new QTreeView(m_stack)), m_elapsedTimer(new QTimer(this))
{
    m_model->setColumnCount(int(TableBoard::kColumns.size()));
    m_model->setHorizontalHeaderLabels(TableBoard::kColumns);

    m_filter->addItems(TableBoard::kFilters);
    m_style->addItems(TableBoard::kStyles);
    m_find->setMaximumWidth(140);
    m_roomsToggle = toggleButton(QStringLiteral("隐藏左列"), Qt::LeftArrow, Qt::RightArrow, this);
    m_linesToggle = toggleButton(QStringLiteral("隐藏下列"), Qt::DownArrow, Qt::UpArrow, this);

    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(QStringLiteral("显示过滤"), this));
    strip->addWidget(m_filter);
    strip->addSpacing(8);
    strip->addWidget(new QLabel(QStringLiteral("显示样式"), this));
    strip->addWidget(m_style);
    strip->addSpacing(8);
    strip->addWidget(new QLabel(QStringLiteral("快速查找(回车)"), this));
    strip->addWidget(m_find);
    strip->addWidget(new QLabel(TableBoard::kFindHint, this));
    strip->addSpacing(12);
    auto* hint = new QLabel(TableBoard::kHint, this);
    hint->setStyleSheet(QStringLiteral("color: #1a4f9c;"));
    strip->addWidget(hint);
    strip->addStretch(1);
    strip->addWidget(m_roomsToggle);
    strip->addWidget(m_linesToggle);

    m_icons->setModel(m_model);
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setWrapping(true);
    m_report->setModel(m_model);
    m_report->setSelectionModel(m_icons->selectionModel());
    m_report->setRootIsDecorated(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setIconSize(QSize(16, 16));
    const int widths[] = {100, 60, 90, 150, 90, 70, 70, 90, 160};
    for (int c = 0; c < int(std::size(widths)); ++c)
        m_report->setColumnWidth(c, widths[c]);
    for (QAbstractItemView* v :
         {static_cast<QAbstractItemView*>(m_icons), static_cast<QAbstractItemView*>(m_report)}) {
        v->setSelectionMode(QAbstractItemView::ExtendedSelection);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setContextMenuPolicy(Qt::CustomContextMenu);
        v->installEventFilter(this);
        m_stack->addWidget(v);
        connect(v, &QAbstractItemView::clicked, this,
                [this](const QModelIndex& index) { emit tableChosen(m_items.value(index.row()).name); });
        connect(v, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { activate(index.row()); });
        connect(v, &QWidget::customContextMenuRequested, this,
                [this, v](const QPoint& pos) { showMenu(v, pos); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(strip);
    layout->addWidget(m_stack, 1);

    connect(m_filter, &QComboBox::currentIndexChanged, this, &CRightView::applyFilter);
    connect(m_style, &QComboBox::currentIndexChanged, this, &CRightView::setStyle);
    connect(m_find, &QLineEdit::returnPressed, this, &CRightView::quickFind);
    connect(m_roomsToggle, &QToolButton::clicked, this, &CRightView::roomsPaneToggled);
    connect(m_linesToggle, &QToolButton::clicked, this, &CRightView::linesPaneToggled);

    // "+", "-" and "/" (keypad or main keyboard) anywhere in the window; an edit box that has the
    // focus keeps them as text.
    const std::pair<Qt::Key, std::function<void()>> keys[] = {
        {Qt::Key_Plus, [this] { ask(CMainFrame::AddConsumption); }},
        {Qt::Key_Minus, [this] { ask(CMainFrame::Checkout); }},
        {Qt::Key_Slash,
         [this] {
             m_find->setFocus(Qt::ShortcutFocusReason);
             m_find->selectAll();
         }},
    };
    for (const auto& [key, act] : keys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, act);

    m_elapsedTimer->setInterval(20000);
    connect(m_elapsedTimer, &QTimer::timeout, this, &CRightView::updateElapsed);

    setStyle(0);
    load(TableBoard::kStartStatement);
}

void CRightView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_elapsedTimer->isActive())
        m_elapsedTimer->start();
}

QAbstractItemView* CRightView::view() const
{
    return static_cast<QAbstractItemView*>(m_stack->currentWidget());
}

CRightView::Style CRightView::style() const
{
    return Style(m_style->currentIndex());
}

void CRightView::setStyle(int index)
{
    const QList<int> rows = selectedRows();
    switch (Style(index)) {
    case Style::LargeIcons:
        m_icons->setViewMode(QListView::IconMode);
        m_icons->setFlow(QListView::LeftToRight);
        m_icons->setIconSize(QSize(48, 48));
        m_icons->setWordWrap(true);
        m_icons->setGridSize(QSize(96, 84));
        m_icons->setSpacing(4);
        m_stack->setCurrentWidget(m_icons);
        break;
    case Style::SmallIcons:
        m_icons->setViewMode(QListView::ListMode);
        m_icons->setFlow(QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_icons->setIconSize(QSize(32, 32));
        m_icons->setWordWrap(false);
        m_icons->setGridSize(QSize(132, 40));
        m_icons->setSpacing(2);
        m_stack->setCurrentWidget(m_icons);
        break;
    case Style::Report:
        m_stack->setCurrentWidget(m_report);
        break;
    }
    // The list view selects a row's first cell only; the report shows whole rows.
    selectRows(rows);
}

void CRightView::load(const QString& statement)
{
    fill(m_board.load(statement));
}

void CRightView::fill(const QList<TableBoard::Item>& items)
{
    m_items = items;
    m_model->removeRows(0, m_model->rowCount());
    m_model->setRowCount(int(m_items.size()));
    for (int row = 0; row < m_items.size(); ++row)
        writeRow(row, m_items.at(row));
    // The first table starts selected, so that the board's keys act at once.
    if (!m_items.isEmpty())
        selectRows({0});
}

void CRightView::reload()
{
    const QSignalBlocker blocker(m_filter);
    m_filter->setCurrentIndex(0);
    m_board.setRoom(QStringLiteral("%"));
    load(QStringLiteral("select * from cz "));
}

void CRightView::refresh()
{
    const QList<TableBoard::Item> items = m_board.refresh();
    auto names = [](const QList<TableBoard::Item>& list) {
        QStringList out;
        for (const TableBoard::Item& item : list)
            out << item.name;
        return out;
    };
    if (names(items) == names(m_items)) {
        m_items = items;
        for (int row = 0; row < items.size(); ++row)
            writeRow(row, items.at(row));
        return;
    }
    // Under a display filter a table that changed its state leaves or joins the board: show the
    // tables the statement gives now, keeping the selection.
    const QStringList selected = names(selectedItems());
    fill(items);
    QList<int> rows;
    for (int row = 0; row < m_items.size(); ++row)
        if (selected.contains(m_items.at(row).name))
            rows << row;
    selectRows(rows);
}

void CRightView::updateElapsed()
{
    m_board.updateElapsed();
    refresh();
}

void CRightView::setRoom(const QString& room)
{
    m_board.setRoom(room);
    load(m_board.roomStatement());
}

void CRightView::writeRow(int row, const TableBoard::Item& item)
{
    const QString texts[] = {item.name,   item.stateText, item.amount, item.arrival, item.elapsed,
                             item.guests, item.seats,     item.room,   item.note};
    for (int column = 0; column < int(std::size(texts)); ++column) {
        QStandardItem* cell = m_model->item(row, column);
        if (!cell) {
            cell = new QStandardItem;
            m_model->setItem(row, column, cell);
        }
        cell->setText(texts[column]);
    }
    QStandardItem* first = m_model->item(row, 0);
    first->setIcon(stateIcon(item.state));
    first->setToolTip(item.stateText);
}

void CRightView::applyFilter(int index)
{
    load(m_board.filterStatement(TableBoard::Filter(index)));
}

QList<int> CRightView::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_icons->selectionModel()->selectedIndexes())
        if (!rows.contains(index.row()))
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CRightView::selectRows(const QList<int>& rows)
{
    QItemSelectionModel* selection = m_icons->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(m_model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty()) {
        selection->setCurrentIndex(m_model->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
        view()->scrollTo(m_model->index(rows.first(), 0));
    }
}

QList<TableBoard::Item> CRightView::selectedItems() const
{
    QList<TableBoard::Item> items;
    for (int row : selectedRows())
        items << m_items.at(row);
    return items;
}

const TableBoard::Item* CRightView::selectedItem() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? nullptr : &m_items.at(rows.first());
}

QString CRightView::selectedTable() const
{
    const TableBoard::Item* item = selectedItem();
    return item ? item->name : QString();
}

void CRightView::selectTable(const QString& table)
{
    auto matching = [this, &table] {
        QList<int> rows;
        for (int row = 0; row < m_items.size(); ++row)
            if (m_items.at(row).name == table)
                rows << row;
        return rows;
    };
    QList<int> rows = matching();
    if (rows.isEmpty()) {
        load(QStringLiteral("select * from cz where czm=") + Sql::quote(table));
        rows = matching();
    }
    selectRows(rows);
}

void CRightView::quickFind()
{
    const std::optional<TableBoard::FindResult> found = m_board.quickFind(m_find->text());
    if (!found) {
        m_find->setFocus();
        m_find->selectAll();
        return;
    }
    selectTable(found->name);
    view()->setFocus();
    emit tableChosen(found->name);
}

void CRightView::ask(int command)
{
    emit commandRequested(command);
}

void CRightView::activate(int row)
{
    if (row < 0 || row >= m_items.size())
        return;
    ask(TableBoard::activate(m_items.at(row)) == TableBoard::Command::Checkout ? CMainFrame::Checkout
                                                                               : CMainFrame::OpenTable);
}

bool CRightView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_icons && watched != m_report)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QList<int> rows = selectedRows();
            if (!rows.isEmpty())
                activate(rows.first());
            return true;
        }
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            if (selectedItem())
                ask(CMainFrame::AddConsumption);
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right) &&
            !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            emit tableChosen(selectedTable());
    }
    return QWidget::eventFilter(watched, event);
}

QMenu* CRightView::contextMenu(int row, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const TableBoard::Item* item = row >= 0 && row < m_items.size() ? &m_items.at(row) : nullptr;
    const QList<TableBoard::Command> greyed =
        item ? TableBoard::greyed(item->state) : QList<TableBoard::Command>();
    for (const MenuCommand& c : kMenu) {
        QAction* action = menu->addAction(QString::fromUtf8(c.text));
        const bool fits = item ? !greyed.contains(c.command) : kNeedNoTable.contains(c.command);
        action->setEnabled(fits && m_available && m_available(c.id));
        connect(action, &QAction::triggered, this, [this, id = c.id] { ask(id); });
        if (c.id == CMainFrame::Checkout || c.id == CMainFrame::ChangeRegistration)
            menu->addSeparator();
    }
    return menu;
}

void CRightView::showMenu(QAbstractItemView* view, const QPoint& pos)
{
    const QModelIndex index = view->indexAt(pos);
    if (index.isValid()) {
        if (!selectedRows().contains(index.row()))
            selectRows({index.row()});
        emit tableChosen(m_items.at(index.row()).name);
    } else {
        view->selectionModel()->clearSelection();
    }
    QMenu* menu = contextMenu(index.isValid() ? index.row() : -1, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(view->viewport()->mapToGlobal(pos));
}
