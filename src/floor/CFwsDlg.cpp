#include "CFwsDlg.h"

#include "Access.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "WaiterDialog.h"

#include <QVBoxLayout>

CFwsDlg::CFwsDlg(Database& db, Prompt& prompt, const Operator& current, DefaultPrinter& printer,
                 QWidget* parent)
    : QWidget(parent), m_prompt(prompt), m_current(current), m_waiters(db, prompt),
      m_list(new CPrintListReportCtrl(prompt, printer, this))
{
    setWindowTitle(QStringLiteral("服务生设置"));
    m_list->SetColumnSpec(WaiterSettings::kColumns);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_list->selectRow(index.row());
        change();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(commandRow(this, {{QStringLiteral("添加服务生"), [this] { add(); }},
                                        {QStringLiteral("修改服务生"), [this] { change(); }},
                                        {QStringLiteral("删除服务生"), [this] { remove(); }}}));
    load();
}

void CFwsDlg::add()
{
    if (!granted())
        return;
    WaiterDialog dialog(m_waiters, 0, this);
    if (dialog.exec() == QDialog::Accepted)
        load();
}

void CFwsDlg::change()
{
    if (!granted())
        return;
    const int id = selectedId();
    if (!m_waiters.mayChange(id))
        return;
    WaiterDialog dialog(m_waiters, id, this);
    if (dialog.exec() == QDialog::Accepted)
        load();
}

void CFwsDlg::remove()
{
    if (!granted())
        return;
    const QList<int> rows = m_list->selectedRows();
    if (m_waiters.remove(selectedId()))
        m_list->DeleteRow(rows.first());
}

bool CFwsDlg::granted()
{
    return Access::granted(m_current, Right::Fwsqx, m_prompt);
}

int CFwsDlg::selectedId() const
{
    return m_list->selectedRowTexts().value(WaiterSettings::Number).toInt();
}

void CFwsDlg::load()
{
    m_list->setRows(m_waiters.rows());
}
