#include "CGkYdDlg.h"

#include "Clock.h"
#include "Database.h"
#include "OkCancelRow.h"
#include "Prompt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QDateEdit* datePicker(QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    return picker;
}

QTimeEdit* timePicker(QWidget* parent)
{
    auto* picker = new QTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

// Label and field in a grid, the label at `column`.
void addField(QGridLayout* grid, int row, int column, const QString& label, QWidget* field, int span = 1)
{
    auto* text = new QLabel(label, field->parentWidget());
    text->setBuddy(field);
    grid->addWidget(text, row, column);
    grid->addWidget(field, row, column + 1, 1, span);
}

} // namespace

CGkYdDlg::CGkYdDlg(Database& db, const QString& operatorName, const QString& number, QWidget* parent)
    : QDialog(parent), m_prompt(db.prompt()), m_booking(db), m_operator(operatorName), m_number(number),
      m_guest(new QLineEdit(this)), m_phone(new QLineEdit(this)), m_mobile(new QLineEdit(this)),
      m_deposit(new QLineEdit(QStringLiteral("0"), this)), m_note(new QLineEdit(this)),
      m_shift(new QComboBox(this)), m_arrivalDate(datePicker(this)), m_arrivalTime(timePicker(this)),
      m_holdDate(datePicker(this)), m_holdTime(timePicker(this)), m_tree(new QTreeWidget(this)),
      m_chosen(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("顾客预定"));
    m_deposit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,8}(\\.\\d{0,2})?")), this));
    m_arrivalDate->setDateRange(Clock::today(), QDate(2100, 1, 1));
    // The booking lapses on its day of arrival.
    m_holdDate->setReadOnly(true);
    m_holdDate->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_holdDate->setFocusPolicy(Qt::NoFocus);
    m_shifts = BusinessShifts(db).list();
    for (const BusinessShifts::Shift& shift : m_shifts)
        m_shift->addItem(Booking::shiftText(shift));
    m_shift->setCurrentIndex(m_booking.runningShift(m_shifts));

    m_tree->setHeaderLabel(QStringLiteral("可供餐桌"));
    m_tree->setExpandsOnDoubleClick(false);
    m_chosen->setHeaderLabels({QStringLiteral("房间名称"), QStringLiteral("餐桌名称")});
    m_chosen->setRootIsDecorated(false);
    m_chosen->header()->setDefaultSectionSize(70);
    for (QTreeWidget* list : {m_tree, m_chosen})
        list->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &CGkYdDlg::choose);
    connect(m_chosen, &QTreeWidget::itemDoubleClicked, this, &CGkYdDlg::giveBack);

    auto* guestBox = new QGroupBox(QStringLiteral("顾客信息"), this);
    auto* guestGrid = new QGridLayout(guestBox);
    addField(guestGrid, 0, 0, QStringLiteral("顾客姓名："), m_guest);
    addField(guestGrid, 0, 2, QStringLiteral("联系电话："), m_phone);
    addField(guestGrid, 1, 0, QStringLiteral("联系手机："), m_mobile);
    addField(guestGrid, 1, 2, QStringLiteral("预订押金:"), m_deposit);
    addField(guestGrid, 2, 0, QStringLiteral("备   注:"), m_note, 3);
    auto* timeBox = new QGroupBox(QStringLiteral("预订时段"), this);
    auto* timeGrid = new QGridLayout(timeBox);
    addField(timeGrid, 0, 0, QStringLiteral("营业班次:"), m_shift, 3);
    addField(timeGrid, 1, 0, QStringLiteral("预抵日期:"), m_arrivalDate);
    addField(timeGrid, 1, 2, QStringLiteral("预抵时间:"), m_arrivalTime);
    addField(timeGrid, 2, 0, QStringLiteral("取消日期:"), m_holdDate);
    addField(timeGrid, 2, 2, QStringLiteral("取消时间:"), m_holdTime);

    auto* tableBox = new QGroupBox(QStringLiteral("预订餐桌"), this);
    auto* toChosen = new QPushButton(QStringLiteral(">>"), tableBox);
    auto* fromChosen = new QPushButton(QStringLiteral("<<"), tableBox);
    for (QPushButton* button : {toChosen, fromChosen})
        button->setAutoDefault(false);
    connect(toChosen, &QPushButton::clicked, this, &CGkYdDlg::choose);
    connect(fromChosen, &QPushButton::clicked, this, &CGkYdDlg::giveBack);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(toChosen);
    moves->addWidget(fromChosen);
    moves->addStretch();
    auto* tables = new QHBoxLayout(tableBox);
    tables->addWidget(m_tree, 1);
    tables->addLayout(moves);
    tables->addWidget(m_chosen, 1);
    setTabOrder(m_tree, toChosen);
    setTabOrder(toChosen, m_chosen);
    setTabOrder(m_chosen, fromChosen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(guestBox);
    layout->addWidget(timeBox);
    layout->addWidget(tableBox, 1);
    layout->addLayout(okCancelRow(this, [this] { save(); }));
    resize(560, 600);

    if (number.isEmpty()) {
        m_arrivalDate->setDate(Clock::today());
        refresh();
    } else {
        load(number);
    }
    connect(m_shift, &QComboBox::currentIndexChanged, this, &CGkYdDlg::refresh);
    connect(m_arrivalDate, &QDateEdit::dateChanged, this, &CGkYdDlg::refresh);
    connect(m_arrivalTime, &QTimeEdit::editingFinished, this,
            [this] { m_holdTime->setTime(m_arrivalTime->time()); });
    m_guest->setFocus();
}

void CGkYdDlg::load(const QString& number)
{
    const std::optional<Booking::Entry> entry = m_booking.read(number);
    if (!entry)
        return;
    m_guest->setText(entry->guest);
    m_mobile->setText(entry->mobile);
    m_phone->setText(entry->phone);
    m_deposit->setText(entry->deposit);
    m_note->setText(entry->note);
    for (int i = 0; i < m_shifts.size(); ++i)
        if (m_shifts.at(i).number == entry->shift.number)
            m_shift->setCurrentIndex(i);
    // A booking of an earlier day keeps its day unless the operator changes it.
    m_arrivalDate->setMinimumDate(std::min(Clock::today(), entry->arrival.date()));
    m_arrivalDate->setDate(entry->arrival.date());
    m_arrivalTime->setTime(entry->arrival.time());
    m_holdDate->setDate(entry->holdUntil.date());
    m_holdTime->setTime(entry->holdUntil.time());
    fillTree(m_booking.freeTables(entry->shift.number, entry->arrival, number));
    for (const Booking::Table& table : entry->tables) {
        addChosen(table);
        for (QTreeWidgetItem* item : m_tree->findItems(table.name, Qt::MatchExactly | Qt::MatchRecursive))
            if (item->parent())
                delete item;
    }
}

BusinessShifts::Shift CGkYdDlg::selectedShift() const
{
    return m_shifts.value(m_shift->currentIndex());
}

void CGkYdDlg::refresh()
{
    const BusinessShifts::Shift shift = selectedShift();
    const QDate day = m_arrivalDate->date();
    m_holdDate->setDate(day);
    m_arrivalTime->setTime(shift.start);
    m_holdTime->setTime(shift.start);
    fillTree(shift.number == 0 ? QList<Booking::Table>()
                               : m_booking.freeTables(shift.number, QDateTime(day, shift.start), m_number));
}

void CGkYdDlg::fillTree(const QList<Booking::Table>& tables)
{
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    for (const Booking::Table& table : tables)
        addToTree(table);
    m_tree->setUpdatesEnabled(true);
    m_chosen->clear();
}

void CGkYdDlg::addToTree(const Booking::Table& table)
{
    QList<QTreeWidgetItem*> rooms = m_tree->findItems(table.room, Qt::MatchExactly);
    QTreeWidgetItem* room = rooms.isEmpty() ? new QTreeWidgetItem(m_tree, {table.room}) : rooms.first();
    new QTreeWidgetItem(room, {table.name});
    room->setExpanded(true);
}

void CGkYdDlg::addChosen(const Booking::Table& table)
{
    new QTreeWidgetItem(m_chosen, {table.room, table.name});
}

void CGkYdDlg::choose()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    if (item->parent())
        addChosen({item->parent()->text(0), item->text(0)});
    for (int i = 0; i < item->childCount(); ++i)
        addChosen({item->text(0), item->child(i)->text(0)});
    delete item;
}

void CGkYdDlg::giveBack()
{
    QTreeWidgetItem* row = m_chosen->currentItem();
    if (!row) {
        m_prompt.warn(QStringLiteral("请选定餐桌!"));
        return;
    }
    addToTree({row->text(0), row->text(1)});
    delete row;
}

bool CGkYdDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_tree || watched == m_chosen)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            watched == m_tree ? choose() : giveBack();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CGkYdDlg::save()
{
    Booking::Entry entry;
    entry.number = m_number;
    entry.shift = selectedShift();
    entry.arrival = QDateTime(m_arrivalDate->date(), m_arrivalTime->time());
    entry.holdUntil = QDateTime(m_holdDate->date(), m_holdTime->time());
    entry.guest = m_guest->text();
    entry.mobile = m_mobile->text();
    entry.phone = m_phone->text();
    entry.deposit = m_deposit->text();
    entry.note = m_note->text();
    for (int i = 0; i < m_chosen->topLevelItemCount(); ++i)
        entry.tables << Booking::Table{m_chosen->topLevelItem(i)->text(0),
                                       m_chosen->topLevelItem(i)->text(1)};
    const Booking::Result result = m_booking.save(entry, m_operator);
    QWidget* focus = nullptr;
    switch (result.input) {
    case Booking::Input::None:
        if (result)
            accept();
        return;
    case Booking::Input::Shift:
        focus = m_shift;
        break;
    case Booking::Input::Guest:
        focus = m_guest;
        break;
    case Booking::Input::Phone:
        focus = m_phone;
        break;
    case Booking::Input::Arrival:
        focus = m_arrivalTime;
        break;
    case Booking::Input::HoldUntil:
        focus = m_holdTime;
        break;
    case Booking::Input::Deposit:
        focus = m_deposit;
        break;
    case Booking::Input::Tables:
        focus = m_tree;
        break;
    }
    // As the Tab key enters a field: its text, or the first part of a time, ready to be typed over.
    // The message box has just closed and the dialog is not active again yet: the field only gets
    // the focus when it is, and then as the window's, which selects nothing. So the selection is
    // made here.
    focus->setFocus(Qt::TabFocusReason);
    if (auto* time = qobject_cast<QDateTimeEdit*>(focus))
        time->setSelectedSection(time->sectionAt(0));
    else if (auto* edit = qobject_cast<QLineEdit*>(focus))
        edit->selectAll();
}
