#include "CYdGlDlg.h"

#include "CGkYdDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QDateEdit* datePicker(QWidget* parent)
{
    auto* picker = new QDateEdit(Clock::today(), parent);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    return picker;
}

QTimeEdit* timePicker(const QTime& time, QWidget* parent)
{
    auto* picker = new QTimeEdit(time, parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

} // namespace

CYdGlDlg::CYdGlDlg(Database& db, DefaultPrinter& printer, const QString& operatorName, QWidget* parent)
    : QDialog(parent), m_db(db), m_printer(printer), m_operator(operatorName), m_bookings(db),
      m_startDate(datePicker(this)), m_startTime(timePicker(QTime(0, 0), this)), m_endDate(datePicker(this)),
      m_endTime(timePicker(QTime(23, 59, 59), this)), m_state(new QComboBox(this)),
      m_byName(new QRadioButton(QStringLiteral("姓名\\电话"), this)),
      m_byTable(new QRadioButton(QStringLiteral("餐桌名"), this)), m_text(new QLineEdit(this)),
      m_list(new CPrintListReportCtrl(db.prompt(), printer, this))
{
    setWindowTitle(QStringLiteral("预定餐桌管理"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_list->SetColumnSpec(BookingList::kColumns);
    m_list->setGridLines(true);
    m_state->addItems(BookingList::kStates);
    m_state->setCurrentText(QStringLiteral("已订"));
    m_byName->setChecked(true);

    auto* filters = new QHBoxLayout;
    const auto label = [this, filters](const QString& text, QWidget* field) {
        auto* l = new QLabel(text, this);
        l->setBuddy(field);
        filters->addWidget(l);
    };
    label(QStringLiteral("起始时间:"), m_startDate);
    filters->addWidget(m_startDate);
    filters->addWidget(m_startTime);
    label(QStringLiteral("终止时间:"), m_endDate);
    filters->addWidget(m_endDate);
    filters->addWidget(m_endTime);
    label(QStringLiteral("状态:"), m_state);
    filters->addWidget(m_state);
    filters->addWidget(m_byName);
    filters->addWidget(m_byTable);
    filters->addWidget(m_text, 1);

    auto* buttons = new QHBoxLayout;
    const auto add = [this, buttons](const QString& text, void (CYdGlDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        return button;
    };
    // Enter in the filters queries.
    add(QStringLiteral("查  询"), &CYdGlDlg::query)->setDefault(true);
    add(QStringLiteral("增加预订"), &CYdGlDlg::add);
    add(QStringLiteral("修改预订"), &CYdGlDlg::modify);
    add(QStringLiteral("预订取消"), &CYdGlDlg::cancel);
    add(QStringLiteral("预订恢复"), &CYdGlDlg::restore);
    add(QStringLiteral("打  印"), &CYdGlDlg::print);
    add(QStringLiteral("导  出"), &CYdGlDlg::exportList);
    buttons->addStretch();
    add(QStringLiteral("关  闭"), &CYdGlDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(buttons);
    layout->addWidget(m_list, 1);
    resize(1180, 560);
    query();
    m_text->setFocus();
}

void CYdGlDlg::query()
{
    const BookingList::Filter filter{QDateTime(m_startDate->date(), m_startTime->time()),
                                     QDateTime(m_endDate->date(), m_endTime->time()), m_state->currentText(),
                                     m_byTable->isChecked(), m_text->text()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->setUpdatesEnabled(false);
    m_list->DeleteAllRows();
    m_list->SetReportTitle(BookingList::kTitle);
    m_list->SetReportSubtitle(BookingList::subtitle(filter));
    m_list->SetPrintLine(PrintTimeLine(m_operator));
    for (const QStringList& row : m_bookings.query(filter)) {
        const int added = m_list->AddRow(row);
        if (row.at(BookingList::State) == QStringLiteral("已订"))
            m_list->SetRowColor(added, QColor(0, 0, 255));
    }
    m_list->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

void CYdGlDlg::add()
{
    CGkYdDlg dialog(m_db, m_operator, QString(), this);
    if (dialog.exec() == QDialog::Accepted)
        query();
}

void CYdGlDlg::modify()
{
    const QStringList row = m_list->selectedRowTexts();
    if (!m_bookings.mayModify(row))
        return;
    CGkYdDlg dialog(m_db, m_operator, row.at(BookingList::Number), this);
    dialog.exec();
    query();
}

void CYdGlDlg::cancel()
{
    if (m_bookings.cancel(m_list->selectedRowTexts()))
        query();
}

void CYdGlDlg::restore()
{
    if (m_bookings.restore(m_list->selectedRowTexts()))
        query();
}

void CYdGlDlg::print()
{
    if (m_list->rowCount() == 0)
        return;
    // Thirteen columns fit across the page.
    m_printer.SetPrintOrientation(false);
    m_list->landscape = true;
    m_list->PrintPreview();
}

void CYdGlDlg::exportList()
{
    m_list->ExportIfAny();
}
