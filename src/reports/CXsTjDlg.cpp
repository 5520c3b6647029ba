#include "CXsTjDlg.h"

#include "CPrintListReportCtrl.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CXsTjDlg::CXsTjDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   SalesStatistics::Mode mode, QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_statistics(db), m_mode(mode)
{
    setWindowTitle(QStringLiteral("销售统计"));
    m_list->SetColumnSpec(SalesStatistics::columns(mode));
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("开始日期:"));
    m_end = addDate(row, QStringLiteral("结束日期:"));
    row->addStretch();
    addButton(row, QStringLiteral("统　计"), [this] { compute(); })->setDefault(true);
    addButton(row, QStringLiteral("打　印"), [this] { preview(true); });
    addButton(row, QStringLiteral("导　出"), [this] { exportList(); });
    addButton(row, QStringLiteral("关　闭"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(
        QStringLiteral("注:如果要统计准确的毛利和纯利，请设置准确的项目进货价格和参考成本。"), this));
    resize(860, 520);
    m_start->setFocus();
}

void CXsTjDlg::compute()
{
    showTable(m_statistics.compute(m_mode, ReportPeriod(m_start->date(), m_end->date())));
}
