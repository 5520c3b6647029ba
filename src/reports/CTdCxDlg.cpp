#include "CTdCxDlg.h"

#include "CPrintListReportCtrl.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTdCxDlg::CTdCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   ReturnsQuery::Mode mode, QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_query(db), m_mode(mode),
      m_bill(new QLineEdit(this))
{
    setWindowTitle(ReturnsQuery::title(mode));
    m_list->SetColumnSpec(ReturnsQuery::columns(mode));
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("开始日期:"));
    m_end = addDate(row, QStringLiteral("结束日期:"));
    auto* label = new QLabel(QStringLiteral("账单编号:"), this);
    label->setBuddy(m_bill);
    row->addWidget(label);
    row->addWidget(m_bill);
    row->addStretch();
    addButton(row, QStringLiteral("查询"), [this] { compute(); })->setDefault(true);
    addButton(row, QStringLiteral("打印"), [this] { preview(false); });
    addButton(row, QStringLiteral("导出"), [this] { exportList(); });
    addButton(row, QStringLiteral("关闭"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    resize(1080, 520);
    m_start->setFocus();
}

void CTdCxDlg::compute()
{
    showTable(
        m_query.compute(m_mode, ReportPeriod(m_start->date(), m_end->date()), m_bill->text().trimmed()));
}
