#include "CCwGlDlg.h"

#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "CSrZcDlg.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QVBoxLayout>

CCwGlDlg::CCwGlDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   const QString& folder, QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_finance(db, folder),
      m_period(Clock::today(), Clock::today()), m_detail(new CPrintListReportCtrl(prompt, printer, this))
{
    setWindowTitle(QStringLiteral("财务管理"));
    m_list->SetColumnSpec(Finance::kStatementColumns);
    m_list->footerAfterTable = true;
    m_detail->SetColumnSpec(Finance::kDetailColumns);
    m_detail->setGridLines(true);
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("开始日期:"));
    m_end = addDate(row, QStringLiteral("结束日期:"));
    row->addStretch();
    addButton(row, QStringLiteral("查询"), [this] { compute(); })->setDefault(true);
    auto* buttons = new QHBoxLayout;
    addButton(buttons, QStringLiteral("增加支出"), [this] { addEntry(Finance::Kind::Expense); });
    addButton(buttons, QStringLiteral("增加收入"), [this] { addEntry(Finance::Kind::Income); });
    buttons->addStretch();
    addButton(buttons, QStringLiteral("打印"), [this] { preview(true); });
    addButton(buttons, QStringLiteral("导出"), [this] { exportList(); });
    addButton(buttons, QStringLiteral("关闭"), [this] { reject(); });
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_list, 3);
    lists->addWidget(m_detail, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(1120, 520);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CCwGlDlg::showDetail);
    m_start->setFocus();
}

void CCwGlDlg::compute()
{
    m_detail->DeleteAllRows();
    m_period = ReportPeriod(m_start->date(), m_end->date());
    showTable(m_finance.statement(m_period));
}

void CCwGlDlg::addEntry(Finance::Kind kind)
{
    CSrZcDlg dialog(m_finance, kind, this);
    if (dialog.exec() == QDialog::Accepted)
        compute();
}

void CCwGlDlg::showDetail()
{
    m_detail->DeleteAllRows();
    const QList<int> rows = m_list->selectedRows();
    if (rows.isEmpty())
        return;
    for (const QStringList& row : m_finance.detail(m_list->cellText(rows.first(), 0), m_period))
        m_detail->AddRow(row);
}
