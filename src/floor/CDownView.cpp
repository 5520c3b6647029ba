#include "CDownView.h"

#include "CPrintListReportCtrl.h"

#include <QVBoxLayout>

CDownView::CDownView(Database& db, Prompt& prompt, DefaultPrinter& printer, QWidget* parent)
    : QWidget(parent), m_lines(db), m_list(new CPrintListReportCtrl(prompt, printer, this))
{
    m_list->SetColumnSpec(TableLines::kColumns);
    m_list->setGridLines(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void CDownView::load(const QString& table)
{
    m_table = table;
    m_list->DeleteAllRows();
    if (table.isEmpty())
        return;
    for (const TableLines::Line& line : m_lines.load(table)) {
        const int row = m_list->AddRow({line.number, line.item, line.quantity, line.price, line.ratio,
                                        line.discount, line.amount, line.clerk, line.time});
        const QColor colour = TableLines::colour(line.mark);
        if (colour.isValid())
            m_list->SetRowColor(row, colour);
    }
}
