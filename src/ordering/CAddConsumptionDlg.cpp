#include "CAddConsumptionDlg.h"

#include "CPrintListReportCtrl.h"
#include "CReturnQtyDlg.h"
#include "CTasteDlg.h"
#include "CTransferDlg.h"
#include "Database.h"
#include "DishList.h"
#include "KitchenTickets.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* coloured(const QString& text, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Enter adds a line wherever the focus is; no button takes it.
    b->setAutoDefault(false);
    return b;
}

// Waits with the wait cursor while the kitchen tickets go out, on every path.
void showBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace

CAddConsumptionDlg::CAddConsumptionDlg(Database& db, const QString& operatorName, const QString& lowestRatio,
                                       const QString& dataFolder, const QString& table, RawPrinter& printer,
                                       DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_db(db), m_list(db, operatorName, lowestRatio, dataFolder), m_printer(printer)
{
    setWindowTitle(QStringLiteral("增加消费"));
    m_list.setTable(table);
    buildControls(defaultPrinter);

    m_dishes->FillDishList(DishCatalogue::wholeCatalogue());
    LoadConsumptionList();
    m_category->addItems(m_list.categoryChoices());
    m_category->setCurrentIndex(0);
    focusSearch();
    m_list.RecalcTotals();
    showTotals();
    m_occupied = m_list.occupiedTables();
    for (const ConsumptionList::OccupiedTable& occupied : std::as_const(m_occupied)) {
        m_tables->addItem(occupied.name);
        if (occupied.name == table) {
            m_tables->setCurrentIndex(m_tables->count() - 1);
            m_guests->setText(occupied.guests);
        }
    }
    connectControls();
    updateButtons();
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CAddConsumptionDlg::buildControls(DefaultPrinter& defaultPrinter)
{
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("category"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_quantity = new QLineEdit(QStringLiteral("1"), this);
    m_quantity->setObjectName(QStringLiteral("quantity"));
    QPalette magenta = m_quantity->palette();
    magenta.setColor(QPalette::Text, Qt::magenta);
    m_quantity->setPalette(magenta);
    m_add = button(QStringLiteral("增加(&A)[回车]"), "add", this);
    m_checkout = button(QStringLiteral("结账(&O)[-]"), "checkout", this);
    m_currentDish = coloured(QString(), Qt::red, this);
    m_currentDish->setObjectName(QStringLiteral("currentDish"));
    QFont dishFont = m_currentDish->font();
    dishFont.setPointSizeF(dishFont.pointSizeF() * 1.5);
    dishFont.setBold(true);
    m_currentDish->setFont(dishFont);
    m_dishes = new DishList(m_db, defaultPrinter, this);
    m_dishes->setObjectName(QStringLiteral("dishes"));
    connect(m_dishes, &DishList::currentDishChanged, m_currentDish, &QLabel::setText);

    m_tables = new QComboBox(this);
    m_tables->setObjectName(QStringLiteral("tables"));
    m_tables->setMinimumContentsLength(6);
    m_guests = new QLabel(this);
    m_guests->setObjectName(QStringLiteral("guests"));
    m_amount = coloured(QString(), Qt::blue, this);
    m_amount->setObjectName(QStringLiteral("amount"));
    m_count = coloured(QString(), Qt::blue, this);
    m_count->setObjectName(QStringLiteral("count"));
    m_lines = new CPrintListReportCtrl(m_db.prompt(), defaultPrinter, this);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_lines->SetColumnSpec(ConsumptionList::kColumns);
    m_lines->setMultipleSelection(true);
    m_lines->setGridLines(true);
    // Rows stay in the order of the table's lines: the commands address them by position.
    m_lines->horizontalHeader()->setSectionsClickable(false);
    m_lines->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont listFont(QStringLiteral("宋体"));
    listFont.setPixelSize(14);
    m_lines->setFont(listFont);
    m_return = button(QStringLiteral("退单(&T)"), "return", this);
    m_gift = button(QStringLiteral("赠送(&S)"), "gift", this);
    m_transfer = button(QStringLiteral("转单(&Z)"), "transfer", this);
    m_print = button(QStringLiteral("厨打(&P)"), "print", this);
    m_taste = button(QStringLiteral("口味(&B)"), "taste", this);
    // Alt+O is 结账's.
    m_close = button(QStringLiteral("关闭(&C)"), "close", this);
    m_selectAll = new QCheckBox(QStringLiteral("全选"), this);
    m_selectAll->setObjectName(QStringLiteral("selectAll"));

    auto* find = new QHBoxLayout;
    find->addWidget(new QLabel(QStringLiteral("类别:"), this));
    find->addWidget(m_category, 1);
    find->addWidget(new QLabel(QStringLiteral("简拼或编号:"), this));
    find->addWidget(m_search, 1);
    auto* order = new QHBoxLayout;
    order->addWidget(new QLabel(QStringLiteral("数量:"), this));
    order->addWidget(m_quantity, 1);
    order->addWidget(m_add);
    order->addWidget(m_checkout);
    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("当前选定项目:"), this));
    current->addWidget(m_currentDish, 1);
    auto* dishFrame = new QGroupBox(QStringLiteral("项目清单"), this);
    auto* dishLayout = new QVBoxLayout(dishFrame);
    dishLayout->addWidget(m_dishes);
    auto* left = new QVBoxLayout;
    left->addLayout(find);
    left->addLayout(order);
    left->addLayout(current);
    left->addWidget(dishFrame, 1);

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(new QLabel(QStringLiteral("餐桌:"), this));
    tableRow->addWidget(m_tables);
    tableRow->addWidget(new QLabel(QStringLiteral("顾客人数:"), this));
    tableRow->addWidget(m_guests);
    tableRow->addStretch();
    tableRow->addWidget(new QLabel(QStringLiteral("金额:"), this));
    tableRow->addWidget(m_amount);
    tableRow->addSpacing(20);
    tableRow->addWidget(new QLabel(QStringLiteral("数量:"), this));
    tableRow->addWidget(m_count);
    m_linesFrame = new QGroupBox(this);
    m_linesFrame->setObjectName(QStringLiteral("linesFrame"));
    auto* linesLayout = new QVBoxLayout(m_linesFrame);
    linesLayout->addWidget(m_lines);
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {m_return, m_gift, m_transfer, m_print, m_taste})
        commands->addWidget(b);
    commands->addWidget(m_selectAll);
    commands->addStretch();
    commands->addWidget(m_close);
    auto* right = new QVBoxLayout;
    right->addLayout(tableRow);
    right->addWidget(m_linesFrame, 1);
    right->addLayout(commands);

    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 4);
    panes->addLayout(right, 6);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    auto* help = coloured(kHelp, Qt::blue, this);
    help->setObjectName(QStringLiteral("help"));
    help->setWordWrap(true);
    layout->addWidget(help);
    resize(1280, 720);
}

void CAddConsumptionDlg::connectControls()
{
    connect(m_dishes, &QAbstractItemView::doubleClicked, this, &CAddConsumptionDlg::AddLine);
    connect(m_category, &QComboBox::currentTextChanged, this,
            [this](const QString& category) { m_dishes->FillDishList(DishCatalogue::inCategory(category)); });
    connect(m_search, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_dishes->FillDishList(DishCatalogue::matching(text)); });
    connect(m_tables, &QComboBox::currentIndexChanged, this, &CAddConsumptionDlg::switchTable);
    connect(m_add, &QPushButton::clicked, this, &CAddConsumptionDlg::AddLine);
    connect(m_checkout, &QPushButton::clicked, this, &CAddConsumptionDlg::Checkout);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_return, &QPushButton::clicked, this, &CAddConsumptionDlg::ReturnOrDeleteLine);
    connect(m_gift, &QPushButton::clicked, this, &CAddConsumptionDlg::ToggleGift);
    connect(m_transfer, &QPushButton::clicked, this, &CAddConsumptionDlg::TransferLine);
    connect(m_print, &QPushButton::clicked, this, &CAddConsumptionDlg::PrintKitchenTickets);
    connect(m_taste, &QPushButton::clicked, this, &CAddConsumptionDlg::EditNote);
    connect(m_selectAll, &QCheckBox::toggled, this, [this](bool all) {
        if (all)
            m_lines->selectAll();
        else
            m_lines->clearSelection();
    });
    connect(m_lines->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CAddConsumptionDlg::updateButtons);
    connect(m_lines, &QAbstractItemView::doubleClicked, this, &CAddConsumptionDlg::EditNote);
    connect(m_lines, &QWidget::customContextMenuRequested, this, &CAddConsumptionDlg::showLineMenu);
}

bool CAddConsumptionDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Only where the key arrives first: a key the focused control ignores travels on to its
    // parents and must not act twice.
    if (event->type() == QEvent::KeyPress && watched == focusWidget() &&
        handleKey(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

// The keys of the ordering screen, seen before the focused control; true when consumed.
bool CAddConsumptionDlg::handleKey(QObject* watched, const QKeyEvent& key)
{
    const bool inLines = watched == m_lines;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::ControlModifier) {
        if (!inLines)
            return false;
        switch (key.key()) {
        case Qt::Key_A:
            m_lines->selectAll();
            return true;
        case Qt::Key_C:
            CopyLines();
            return true;
        case Qt::Key_V:
            PasteLines();
            return true;
        default:
            return false;
        }
    }
    if (modifiers != Qt::NoModifier)
        return false;

    switch (key.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (inLines)
            return false;
        const int step = key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown ? 20 : 1;
        m_dishes->moveSelection(key.key() == Qt::Key_PageUp || key.key() == Qt::Key_Up ? -step : step);
        // The dish list itself would move a second time.
        return watched == m_dishes;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        m_quantity->setFocus();
        m_quantity->selectAll();
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
    case Qt::Key_F4:
        Checkout();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F8:
        AddLine();
        return true;
    case Qt::Key_Delete:
        ReturnOrDeleteLine();
        return true;
    default:
        return false;
    }
}

void CAddConsumptionDlg::switchTable(int index)
{
    if (index < 0 || index >= m_occupied.size())
        return;
    m_list.setTable(m_occupied.at(index).name);
    m_guests->setText(m_occupied.at(index).guests);
    LoadConsumptionList();
    m_list.RecalcTotals();
    showTotals();
}

void CAddConsumptionDlg::LoadConsumptionList()
{
    m_list.LoadConsumptionList();
    m_linesFrame->setTitle(m_list.title());
    showLines();
    m_lines->setFocus();
    selectLine(m_list.selection());
}

void CAddConsumptionDlg::showLines(int first)
{
    const int count = int(m_list.lines().size());
    m_lines->setUpdatesEnabled(false);
    if (first == 0)
        m_lines->DeleteAllRows();
    while (m_lines->rowCount() > count)
        m_lines->DeleteRow(m_lines->rowCount() - 1);
    QList<QStringList> added;
    QList<QColor> colours;
    for (int row = first; row < count; ++row) {
        if (row < m_lines->rowCount()) {
            showRow(row);
            continue;
        }
        const ConsumptionLine& line = m_list.lines().at(row);
        QStringList texts;
        for (int column = 0; column < ConsumptionLine::ColumnCount; ++column)
            texts << line.text(column);
        added << texts;
        colours << m_list.colour(row);
    }
    m_lines->AddRows(added, colours);
    m_lines->setUpdatesEnabled(true);
}

void CAddConsumptionDlg::showRow(int row)
{
    const ConsumptionLine& line = m_list.lines().at(row);
    for (int column = 0; column < ConsumptionLine::ColumnCount; ++column)
        m_lines->SetCellText(row, column, line.text(column));
    m_lines->SetRowColor(row, m_list.colour(row));
}

void CAddConsumptionDlg::showTotals()
{
    m_amount->setText(m_list.amountTotal());
    m_count->setText(m_list.quantityTotal());
}

void CAddConsumptionDlg::selectLine(int row)
{
    if (row < 0 || row >= m_lines->rowCount()) {
        m_lines->clearSelection();
        return;
    }
    const QModelIndex index = m_lines->model()->index(row, 0);
    m_lines->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_lines->scrollTo(index);
    updateButtons();
}

int CAddConsumptionDlg::firstSelectedLine() const
{
    const QList<int> rows = m_lines->selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void CAddConsumptionDlg::updateButtons()
{
    const int row = firstSelectedLine();
    if (row < 0)
        return;
    const LineActions actions = m_list.actions(row);
    m_return->setText(actions.returnText);
    m_return->setEnabled(actions.returnEnabled);
    m_gift->setText(actions.giftText);
    m_gift->setEnabled(actions.giftEnabled);
    m_transfer->setEnabled(actions.transferEnabled);
}

void CAddConsumptionDlg::focusSearch()
{
    m_search->setFocus();
    m_search->selectAll();
}

void CAddConsumptionDlg::AddLine()
{
    QString quantity = m_quantity->text();
    const ConsumptionList::AddResult result = m_list.AddLine(quantity, m_dishes->selectedDish());
    m_quantity->setText(quantity);
    switch (result) {
    case ConsumptionList::AddResult::BadQuantity:
        m_quantity->setFocus();
        m_quantity->selectAll();
        return;
    case ConsumptionList::AddResult::NoDish:
        focusSearch();
        return;
    case ConsumptionList::AddResult::TooMany:
    case ConsumptionList::AddResult::Failed:
        return;
    case ConsumptionList::AddResult::Added:
        break;
    }
    showLines(m_lines->rowCount());
    selectLine(m_list.selection());
    showTotals();
    focusSearch();
}

void CAddConsumptionDlg::Checkout()
{
    m_list.requestCheckout();
    accept();
}

void CAddConsumptionDlg::ReturnOrDeleteLine()
{
    const int row = firstSelectedLine();
    const int before = m_lines->rowCount();
    const bool changed = m_list.ReturnOrDeleteLine(row, [this](ConsumptionList::ReturnEntry& entry) {
        CReturnQtyDlg dialog(m_list, entry, this);
        return dialog.exec() == QDialog::Accepted;
    });
    if (!changed)
        return;
    // A return appends its line; a delete removes the row.
    if (m_list.lines().size() < before)
        m_lines->DeleteRow(row);
    else
        showLines(row);
    selectLine(m_list.selection());
    showTotals();
}

void CAddConsumptionDlg::ToggleGift()
{
    const int row = firstSelectedLine();
    if (!m_list.ToggleGift(row))
        return;
    showRow(row);
    selectLine(row);
    showTotals();
}

void CAddConsumptionDlg::TransferLine()
{
    const int row = firstSelectedLine();
    if (!m_list.TransferLine(row, [this](ConsumptionList::TransferEntry& entry) {
            CTransferDlg dialog(m_list, entry, this);
            return dialog.exec() == QDialog::Accepted;
        }))
        return;
    m_lines->DeleteRow(row);
    selectLine(m_list.selection());
    showTotals();
}

void CAddConsumptionDlg::PrintKitchenTickets()
{
    const QList<int> rows = m_lines->selectedRows();
    QList<KitchenTickets::Line> selected;
    for (int row : rows) {
        const ConsumptionLine& line = m_list.lines().at(row);
        selected << KitchenTickets::Line{QString::number(line.number),
                                         line.displayName(),
                                         line.quantity,
                                         line.category,
                                         line.time,
                                         line.note,
                                         line.printed};
    }
    KitchenTickets(m_db, m_printer, showBusy).PrintKitchenTickets(selected, m_list.table());
    for (int i = 0; i < rows.size(); ++i) {
        if (selected.at(i).printed && !m_list.lines().at(rows.at(i)).printed) {
            m_list.markPrinted(rows.at(i));
            showRow(rows.at(i));
        }
    }
    // A printed line can no longer be deleted.
    updateButtons();
}

void CAddConsumptionDlg::EditNote()
{
    const int row = firstSelectedLine();
    if (!m_list.checkRow(row))
        return;
    CTasteDlg dialog(m_list, row, this);
    if (dialog.exec() == QDialog::Accepted)
        showRow(row);
}

void CAddConsumptionDlg::CopyLines()
{
    const QString text = m_list.CopyLines(m_lines->selectedRows());
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CAddConsumptionDlg::PasteLines()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The list was read again even when nothing was pasted: its new lines are stored lines now.
    m_list.PasteLines(QGuiApplication::clipboard()->text());
    showLines();
    selectLine(m_list.selection());
    showTotals();
    QApplication::restoreOverrideCursor();
}

void CAddConsumptionDlg::showLineMenu(const QPoint& position)
{
    const int row = firstSelectedLine();
    const LineActions actions = row < 0 ? LineActions{} : m_list.actions(row);
    QMenu menu(this);
    menu.addAction(actions.returnMenuText.isEmpty() ? QStringLiteral("退单") : actions.returnMenuText, this,
                   &CAddConsumptionDlg::ReturnOrDeleteLine);
    menu.addAction(actions.giftMenuText.isEmpty() ? QStringLiteral("赠送") : actions.giftMenuText, this,
                   &CAddConsumptionDlg::ToggleGift);
    menu.addAction(QStringLiteral("转单"), this, &CAddConsumptionDlg::TransferLine);
    menu.addAction(QStringLiteral("厨打"), this, &CAddConsumptionDlg::PrintKitchenTickets);
    menu.addAction(QStringLiteral("备注"), this, &CAddConsumptionDlg::EditNote);
    menu.addSeparator();
    menu.addAction(QStringLiteral("复制"), this, &CAddConsumptionDlg::CopyLines);
    menu.addAction(QStringLiteral("粘贴"), this, &CAddConsumptionDlg::PasteLines);
    menu.exec(m_lines->viewport()->mapToGlobal(position));
}
