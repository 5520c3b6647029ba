#include "CDjCxDlg.h"

#include "CPrintListReportCtrl.h"
#include "Prompt.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDjCxDlg::CDjCxDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                   const Waiters& waiters, QWidget* parent)
    : ReportDialog(prompt, printer, operatorName, parent), m_query(db), m_waiters(waiters)
{
    setWindowTitle(QStringLiteral("登记查询"));
    m_list->SetColumnSpec(RegistrationQuery::kColumns);
    auto* row = new QHBoxLayout;
    m_start = addDate(row, QStringLiteral("登记日期:"));
    m_end = addDate(row, QStringLiteral("—"));
    m_waiter = waiters.makeField(this);
    auto* label = new QLabel(QStringLiteral("服务生:"), this);
    label->setBuddy(m_waiter);
    row->addWidget(label);
    row->addWidget(m_waiter);
    row->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addButton(buttons, QStringLiteral("查询(&Q)"), [this] { compute(); });
    addButton(buttons, QStringLiteral("打印(&P)"), [this] { preview(false); });
    addButton(buttons, QStringLiteral("导出(&O)"), [this] { exportList(); });
    addButton(buttons, QStringLiteral("修改(&M)"), [this] { modify(); });
    addButton(buttons, QStringLiteral("关闭(&C)"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(1040, 540);
    m_start->setFocus();
}

void CDjCxDlg::compute()
{
    const QString name = m_waiter->text().trimmed();
    showTable(m_query.compute(ReportPeriod(m_start->date(), m_end->date()),
                              name.isEmpty() ? 0 : m_waiters.chosen(m_waiter), name));
}

void CDjCxDlg::modify()
{
    const QList<int> rows = m_list->selectedRows();
    const QString number = rows.isEmpty() ? QString() : m_list->cellText(rows.first(), 0);
    // The total row is no registration.
    if (number.isEmpty() || number == QStringLiteral("合计")) {
        m_prompt.warn(QStringLiteral("请选定登记记录!"));
        return;
    }
    if (m_waiters.change(number, m_query.waiterOf(number), this))
        compute();
}
