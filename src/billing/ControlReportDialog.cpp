#include "ControlReportDialog.h"

#include "CashierReport.h"
#include "Clock.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"

#include <QComboBox>
#include <QVBoxLayout>

ControlReportDialog::ControlReportDialog(Database& db, const QString& operatorName,
                                         DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_operatorName(operatorName), m_report(db), m_range(this), m_who(new QComboBox(this)),
      m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("管理控制报表"));
    m_list->SetColumnSpec(ControlReport::kColumns);
    m_list->setGridLines(true);
    m_who->addItems(CashierReport(db).cashiers());
    m_range.setDay(Clock::today());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_range.filterRow({{QStringLiteral("操作员:"), m_who}}));
    layout->addWidget(m_list, 1);
    layout->addLayout(commandRow(this, {{QStringLiteral("统计(&Q)"), [this] { query(); }},
                                        {QStringLiteral("打印(&P)"),
                                         [this, &defaultPrinter] {
                                             if (m_list->rowCount() == 0)
                                                 return;
                                             defaultPrinter.SetPrintOrientation(false);
                                             m_list->landscape = true;
                                             m_list->PrintPreview();
                                         }},
                                        {QStringLiteral("导出(&E)"), [this] { m_list->ExportIfAny(); }},
                                        {QStringLiteral("关闭(&C)"), [this] { reject(); }}}));
    resize(1000, 560);
}

void ControlReportDialog::setRange(const QDateTime& start, const QDateTime& end)
{
    m_range.set(start, end);
}

void ControlReportDialog::query()
{
    const QDateTime start = m_range.start();
    const QDateTime end = m_range.end();
    m_list->SetReportTitle(QStringLiteral("管理控制报表"));
    m_list->SetReportSubtitle(ControlReport::subtitle(start, end, m_who->currentText()));
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    m_list->setRows(m_report.rows(start, end, m_who->currentText()));
}
