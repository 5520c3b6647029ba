#include "CXfCxDlg.h"

#include "CPrintListReportCtrl.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CXfCxDlg::CXfCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   ConsumptionQuery::Mode mode, QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_query(db), m_mode(mode),
      m_kind(new QComboBox(this)), m_text(new QLineEdit(this))
{
    const bool present = mode == ConsumptionQuery::Mode::Present;
    setWindowTitle(QStringLiteral("消费查询"));
    m_list->SetColumnSpec(ConsumptionQuery::kColumns);
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("开始日期:"));
    m_end = addDate(row, QStringLiteral("结束日期:"));
    auto* label = new QLabel(present ? QStringLiteral("查询方式:") : QStringLiteral("账 单 号:"), this);
    m_kind->addItems({QStringLiteral("按餐桌"), QStringLiteral("按消费项目")});
    m_kind->setVisible(present);
    label->setBuddy(present ? static_cast<QWidget*>(m_kind) : m_text);
    row->addWidget(label);
    row->addWidget(m_kind);
    row->addWidget(m_text);
    row->addStretch();
    addButton(row, QStringLiteral("查　询"), [this] { compute(); })->setDefault(true);
    addButton(row, QStringLiteral("打　印"), [this] { preview(false); });
    addButton(row, QStringLiteral("导　出"), [this] { exportList(); });
    addButton(row, QStringLiteral("关　闭"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    resize(1120, 520);
    m_start->setFocus();
}

void CXfCxDlg::compute()
{
    const auto by = m_kind->currentIndex() == 0 ? ConsumptionQuery::By::Table : ConsumptionQuery::By::Item;
    showTable(m_query.compute(m_mode, by, ReportPeriod(m_start->date(), m_end->date()), m_text->text()));
}
