#include "CFwsTjDlg.h"

#include "CPrintListReportCtrl.h"
#include "OkCancelRow.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CFwsTjDlg::CFwsTjDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                     QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_sales(db),
      m_heading(new QLabel(WaiterSales::heading({}), this))
{
    setWindowTitle(QStringLiteral("服务生销售统计"));
    m_list->SetColumnSpec(WaiterSales::kColumns);
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("开始日期:"));
    m_end = addDate(row, QStringLiteral("结束日期:"));
    row->addStretch();
    addButton(row, QStringLiteral("指定项目"), [this] { chooseItems(); });
    addButton(row, QStringLiteral("统　计"), [this] { compute(); })->setDefault(true);
    addButton(row, QStringLiteral("打　印"), [this] { preview(true); });
    addButton(row, QStringLiteral("导　出"), [this] { exportList(); });
    addButton(row, QStringLiteral("关　闭"), [this] { reject(); });
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    resize(760, 520);
    m_start->setFocus();
}

void CFwsTjDlg::chooseItems()
{
    QDialog picker(this);
    picker.setWindowTitle(QStringLiteral("选定项目"));
    auto* items = new QListWidget(&picker);
    for (const QString& name : m_sales.itemNames()) {
        auto* item = new QListWidgetItem(name, items);
        item->setCheckState(m_items.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
    auto* layout = new QVBoxLayout(&picker);
    layout->addWidget(items);
    layout->addLayout(okCancelRow(&picker, [&picker] { picker.accept(); }));
    picker.resize(260, 420);
    m_items.clear();
    if (picker.exec() == QDialog::Accepted)
        for (int i = 0; i < items->count(); ++i)
            if (items->item(i)->checkState() == Qt::Checked)
                m_items << items->item(i)->text();
    m_heading->setText(WaiterSales::heading(m_items));
}

void CFwsTjDlg::compute()
{
    showTable(m_sales.compute(ReportPeriod(m_start->date(), m_end->date()), m_items));
}
