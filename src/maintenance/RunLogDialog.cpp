#include "RunLogDialog.h"

#include "CPrintListReportCtrl.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

RunLogDialog::RunLogDialog(Database& db, Prompt& prompt, DefaultPrinter& defaultPrinter,
                           const QString& operatorName, QWidget* parent)
    : QDialog(parent), m_log(db, prompt), m_operatorName(operatorName),
      m_list(new CPrintListReportCtrl(prompt, defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("运行日志"));
    m_list->SetColumnSpec(RunLog::kColumns);
    m_list->setGridLines(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* empty = buttons->addButton(QStringLiteral("清  空"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("关  闭"), QDialogButtonBox::RejectRole);
    empty->setAutoDefault(false);
    close->setDefault(true);
    connect(empty, &QPushButton::clicked, this, &RunLogDialog::empty);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(600, 460);
    load();
    m_list->setFocus();
}

void RunLogDialog::load()
{
    QList<QStringList> rows;
    if (!m_log.entries(rows))
        return;
    m_list->setRows(rows);
}

void RunLogDialog::empty()
{
    if (m_log.empty(m_operatorName))
        load();
}
