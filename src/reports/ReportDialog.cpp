#include "ReportDialog.h"

#include "Clock.h"
#include "CPrintListReportCtrl.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"
#include "ReportTable.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

ReportDialog::ReportDialog(Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
                           QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_printer(printer), m_operatorName(operatorName),
      m_list(new CPrintListReportCtrl(prompt, printer, this))
{
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_list->setGridLines(true);
}

void ReportDialog::showTable(const ReportTable& table)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->setUpdatesEnabled(false);
    m_list->DeleteAllRows();
    m_list->SetReportTitle(table.title);
    m_list->SetReportSubtitle(table.subtitle);
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    for (const QStringList& row : table.rows)
        m_list->AddRow(row);
    m_list->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

void ReportDialog::preview(bool portrait)
{
    if (m_list->rowCount() == 0)
        return;
    m_printer.SetPrintOrientation(portrait);
    m_list->landscape = !portrait;
    m_list->PrintPreview();
}

void ReportDialog::exportList()
{
    m_list->ExportIfAny();
}

QPushButton* ReportDialog::addButton(QBoxLayout* row, const QString& text,
                                     const std::function<void()>& action)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, action);
    row->addWidget(button);
    return button;
}

QDateEdit* ReportDialog::addDate(QBoxLayout* row, const QString& label)
{
    auto* field = new QDateEdit(Clock::today(), this);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto* text = new QLabel(label, this);
    text->setBuddy(field);
    row->addWidget(text);
    row->addWidget(field);
    return field;
}
