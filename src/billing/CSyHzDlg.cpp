#include "CSyHzDlg.h"

#include "Clock.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"

#include <QVBoxLayout>

CSyHzDlg::CSyHzDlg(Database& db, const QString& operatorName, DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_operatorName(operatorName), m_defaultPrinter(defaultPrinter), m_report(db),
      m_range(this), m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("收银汇总"));
    m_list->SetColumnSpec(CashierReport::kSummaryColumns);
    m_list->setGridLines(true);
    const QDateTime now = Clock::now();
    m_range.set(QDateTime(now.date(), QTime(0, 0)), now);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_range.filterRow());
    layout->addWidget(m_list, 1);
    layout->addLayout(commandRow(this, {{QStringLiteral("统计(&Q)"), [this] { query(); }},
                                        {QStringLiteral("打印(&P)"), [this] { print(); }},
                                        {QStringLiteral("导出(&E)"), [this] { exportList(); }},
                                        {QStringLiteral("关闭(&C)"), [this] { reject(); }}}));
    resize(760, 420);
}

void CSyHzDlg::setRange(const QDateTime& start, const QDateTime& end)
{
    m_range.set(start, end);
}

void CSyHzDlg::query()
{
    const QDateTime start = m_range.start();
    const QDateTime end = m_range.end();
    m_list->SetReportTitle(QStringLiteral("收银汇总报表"));
    m_list->SetReportSubtitle(CashierReport::summarySubtitle(start, end));
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    const QList<QStringList> rows = m_report.summary(start, end);
    if (rows.isEmpty())
        return;
    m_list->setRows(rows);
}

void CSyHzDlg::print()
{
    if (m_list->rowCount() == 0)
        return;
    m_defaultPrinter.SetPrintOrientation(true);
    m_list->landscape = false;
    m_list->footerAfterTable = true;
    m_list->PrintPreview();
}

void CSyHzDlg::exportList()
{
    m_list->ExportIfAny();
}
