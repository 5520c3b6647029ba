#include "CSyMxDlg.h"

#include "BillModification.h"
#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CXgZdDlg.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"
#include "ReceiptPrinter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSyMxDlg::CSyMxDlg(Database& db, const Cashier& cashier, bool mayModify, ReceiptPrinter& printer,
                   DefaultPrinter& defaultPrinter, Discount::PasswordCheck passwordCheck, QWidget* parent)
    : QDialog(parent), m_db(db), m_cashier(cashier), m_mayModify(mayModify), m_printer(printer),
      m_defaultPrinter(defaultPrinter), m_passwordCheck(std::move(passwordCheck)), m_report(db),
      m_range(this), m_cashierBox(new QComboBox(this)), m_methodBox(new QComboBox(this)),
      m_bills(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)),
      m_lines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("收银明细查询"));
    m_bills->SetColumnSpec(CashierReport::kBillColumns);
    m_lines->SetColumnSpec(CashierReport::kLineColumns);
    for (CPrintListReportCtrl* list : {m_bills, m_lines})
        list->setGridLines(true);
    m_methodBox->addItems(m_report.methods());
    m_cashierBox->addItems(m_report.cashiers());
    m_range.setDay(Clock::today());
    connect(m_bills->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showLines(current.row()); });
    connect(m_bills, &QAbstractItemView::doubleClicked, this, &CSyMxDlg::previewLines);

    QHBoxLayout* filters = m_range.filterRow(
        {{QStringLiteral("收 款 人:"), m_cashierBox}, {QStringLiteral("收款方式:"), m_methodBox}});
    auto* buttons = new QHBoxLayout;
    const auto add = [this, buttons](const QString& text, void (CSyMxDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    add(QStringLiteral("查　询"), &CSyMxDlg::query);
    add(QStringLiteral("打印明细"), &CSyMxDlg::printBills);
    add(QStringLiteral("修　改"), &CSyMxDlg::modify);
    add(QStringLiteral("重打小票"), &CSyMxDlg::reprint);
    add(QStringLiteral("导　出"), &CSyMxDlg::exportBills);
    add(QStringLiteral("关　闭"), &CSyMxDlg::reject);

    auto* linesBox = new QGroupBox(QStringLiteral("消费明细"), this);
    (new QVBoxLayout(linesBox))->addWidget(m_lines);
    auto* note = new QLabel(kNote, this);
    note->setStyleSheet(QStringLiteral("color: blue;"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(buttons);
    layout->addWidget(m_bills, 3);
    layout->addWidget(linesBox, 2);
    layout->addWidget(note);
    resize(1150, 700);
}

void CSyMxDlg::query()
{
    m_bills->SetReportTitle(QStringLiteral("收营明细报表"));
    m_bills->SetReportSubtitle(CashierReport::detailSubtitle(
        m_range.start(), m_range.end(), m_cashierBox->currentText(), m_methodBox->currentText()));
    m_bills->SetPrintLine(PrintTimeLine(m_cashier.name));
    const QList<QStringList> rows = m_report.bills(m_range.start(), m_range.end(),
                                                   m_cashierBox->currentText(), m_methodBox->currentText());
    if (rows.isEmpty())
        return;
    m_lines->DeleteAllRows();
    m_bills->setRows(rows);
}

void CSyMxDlg::showLines(int row)
{
    const QString bill = row < 0 ? QString() : m_bills->cellText(row, CashierReport::Number).trimmed();
    if (bill.isEmpty())
        return;
    m_lines->DeleteAllRows();
    m_lines->SetReportTitle(QStringLiteral("消费明细报表"));
    m_lines->SetReportSubtitle(QStringLiteral("账单号:") + bill);
    m_lines->SetPrintLine(PrintTimeLine(m_cashier.name));
    for (const CashierReport::LineRow& line : m_report.lines(bill)) {
        const int added = m_lines->AddRow(line.texts);
        if (line.returned)
            m_lines->SetRowColor(added, Qt::red);
        else if (line.gift)
            m_lines->SetRowColor(added, QColor(255, 153, 0));
    }
}

void CSyMxDlg::printBills()
{
    if (m_bills->rowCount() == 0)
        return;
    m_defaultPrinter.SetPrintOrientation(false);
    m_bills->PrintPreview();
}

void CSyMxDlg::previewLines()
{
    if (m_lines->rowCount() == 0)
        return;
    m_defaultPrinter.SetPrintOrientation(true);
    m_lines->footerAfterTable = true;
    m_lines->PrintPreview();
}

QStringList CSyMxDlg::selectedBill() const
{
    const QStringList row = m_bills->selectedRowTexts();
    return row.value(0) == CashierReport::kTotal ? QStringList() : row;
}

void CSyMxDlg::modify()
{
    const QStringList row = selectedBill();
    const BillModification::Bill bill{row.value(CashierReport::Number).trimmed(),
                                      row.value(CashierReport::Table),
                                      row.value(CashierReport::Received),
                                      row.value(CashierReport::Member),
                                      row.value(CashierReport::Method),
                                      row.value(CashierReport::Note),
                                      row.value(CashierReport::Time),
                                      row.value(CashierReport::Cashier)};
    if (!BillModification::mayModify(m_db.prompt(), m_mayModify, bill, m_cashier.name, Clock::today()))
        return;
    CXgZdDlg dialog(m_db, m_cashier, m_printer, m_defaultPrinter, m_passwordCheck, this);
    dialog.load(bill);
    if (dialog.exec() == QDialog::Accepted)
        query();
}

void CSyMxDlg::reprint()
{
    const QStringList row = selectedBill();
    if (!row.isEmpty())
        m_printer.printReprint(row.value(CashierReport::Number).trimmed(), QStringLiteral("重打小票"));
}

void CSyMxDlg::exportBills()
{
    m_bills->ExportIfAny();
}
