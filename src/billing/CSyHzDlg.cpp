#include "CSyHzDlg.h"

#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"
#include "ReportRange.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

CSyHzDlg::CSyHzDlg(Database& db, const QString& operatorName, DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_operatorName(operatorName), m_defaultPrinter(defaultPrinter), m_report(db),
      m_startDate(ReportRange::dateEdit(this)), m_startTime(ReportRange::timeEdit(this)),
      m_endDate(ReportRange::dateEdit(this)), m_endTime(ReportRange::timeEdit(this)),
      m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("收银汇总"));
    m_list->SetColumnSpec(CashierReport::kSummaryColumns);
    m_list->setGridLines(true);
    const QDateTime now = Clock::now();
    setRange(QDateTime(now.date(), QTime(0, 0)), now);

    auto* filters = new QHBoxLayout;
    ReportRange::addTo(filters, m_startDate, m_startTime, m_endDate, m_endTime, this);
    filters->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto add = [this, buttons](const QString& text, void (CSyHzDlg::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    add(QStringLiteral("统计(&Q)"), &CSyHzDlg::query);
    add(QStringLiteral("打印(&P)"), &CSyHzDlg::print);
    add(QStringLiteral("导出(&E)"), &CSyHzDlg::exportList);
    add(QStringLiteral("关闭(&C)"), &CSyHzDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

void CSyHzDlg::setRange(const QDateTime& start, const QDateTime& end)
{
    m_startDate->setDate(start.date());
    m_startTime->setTime(start.time());
    m_endDate->setDate(end.date());
    m_endTime->setTime(end.time());
}

void CSyHzDlg::query()
{
    const QDateTime start(m_startDate->date(), m_startTime->time());
    const QDateTime end(m_endDate->date(), m_endTime->time());
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
    if (m_list->rowCount() > 0)
        m_list->ExportToExcel();
}
