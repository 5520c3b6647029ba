#include "CGzZdDlg.h"

#include "CashierReport.h"
#include "CGkJzDlg.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox* framed(const QString& title, QWidget* list, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    (new QVBoxLayout(box))->addWidget(list);
    return box;
}

} // namespace

CGzZdDlg::CGzZdDlg(Database& db, const Cashier& cashier, bool maySettle, ReceiptPrinter& printer,
                   DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_db(db), m_cashier(cashier), m_maySettle(maySettle), m_printer(printer),
      m_defaultPrinter(defaultPrinter), m_passwordCheck(std::move(passwordCheck)), m_op(db),
      m_from(new QDateEdit(Clock::today().addMonths(-1), this)), m_to(new QDateEdit(Clock::today(), this)),
      m_number(new QLineEdit(this)), m_member(new QLineEdit(this)),
      m_bills(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("挂账账单结账"));
    const QFont listFont(QStringLiteral("宋体"), font().pointSize());
    for (CPrintListReportCtrl* list : {m_bills, m_lines}) {
        list->setFont(listFont);
        list->setGridLines(true);
    }
    m_bills->SetColumnSpec(OnAccountBills::kBillColumns);
    m_lines->SetColumnSpec(OnAccountBills::kLineColumns);
    for (QDateEdit* date : {m_from, m_to}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    connect(m_bills->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showLines(current.row()); });

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("起止日期:"), this));
    filters->addWidget(m_from);
    filters->addWidget(new QLabel(QStringLiteral("—"), this));
    filters->addWidget(m_to);
    filters->addWidget(new QLabel(QStringLiteral("挂账账单号:"), this));
    filters->addWidget(m_number, 1);
    filters->addWidget(new QLabel(QStringLiteral("顾客姓名:"), this));
    filters->addWidget(m_member, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto add = [this](QBoxLayout* row, const QString& text, void (CGzZdDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
        return button;
    };
    add(filters, QStringLiteral("查询(&Q)"), &CGzZdDlg::query)->setDefault(true);
    add(buttons, QStringLiteral("结账(&A)"), &CGzZdDlg::settle);
    add(buttons, QStringLiteral("打印账单"), &CGzZdDlg::printBills);
    add(buttons, QStringLiteral("打印明细"), &CGzZdDlg::printLines);
    add(buttons, QStringLiteral("关闭(&C)"), &CGzZdDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(framed(QStringLiteral("挂账账单"), m_bills, this), 3);
    layout->addWidget(framed(QStringLiteral("消费明细"), m_lines, this), 2);
    layout->addLayout(buttons);
    resize(1080, 640);
}

void CGzZdDlg::query()
{
    const QList<QStringList> rows =
        m_op.bills(m_from->date(), m_to->date(), m_number->text(), m_member->text());
    if (rows.isEmpty())
        return;
    m_bills->SetReportTitle(QStringLiteral("挂账账单报表"));
    m_bills->SetReportSubtitle(OnAccountBills::rangeLine(m_from->date(), m_to->date()));
    m_bills->SetPrintLine(PrintTimeLine(m_cashier.name));
    m_lines->DeleteAllRows();
    m_bills->setRows(rows);
}

void CGzZdDlg::showLines(int row)
{
    if (row < 0 || row >= m_bills->rowCount())
        return;
    const QList<QStringList> rows = m_op.lines(m_bills->cellText(row, CashierReport::Number).trimmed());
    if (rows.isEmpty())
        return;
    m_lines->setRows(rows);
}

void CGzZdDlg::settle()
{
    const std::optional<Checkout::OnAccountBill> bill =
        OnAccountBills::toSettle(m_db.prompt(), m_maySettle, m_bills->selectedRowTexts());
    if (!bill)
        return;
    CGkJzDlg checkout(m_db, m_cashier, m_printer, m_defaultPrinter, m_passwordCheck, this);
    checkout.loadOnAccount(*bill);
    if (checkout.exec() == QDialog::Accepted)
        accept();
}

void CGzZdDlg::printBills()
{
    preview(m_bills);
}

void CGzZdDlg::printLines()
{
    preview(m_lines);
}

void CGzZdDlg::preview(CPrintListReportCtrl* list)
{
    if (list->rowCount() == 0)
        return;
    m_defaultPrinter.SetPrintOrientation(true);
    list->PrintPreview();
}
