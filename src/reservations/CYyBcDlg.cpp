#include "CYyBcDlg.h"

#include "CBcDlg.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"

#include <QVBoxLayout>

CYyBcDlg::CYyBcDlg(Database& db, DefaultPrinter& defaultPrinter, QWidget* parent)
    : QWidget(parent), m_db(db), m_shifts(db),
      m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("营业班次"));
    m_list->SetColumnSpec(QStringLiteral("编号,80;班次名称,100;起始时间,120;结束时间,120;"));
    m_list->setGridLines(true);
    connect(m_list, &CPrintListReportCtrl::doubleClicked, this, &CYyBcDlg::change);
    fill();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(commandRow(this, {{QStringLiteral("添　加"), [this] { add(); }},
                                        {QStringLiteral("删　除"), [this] { remove(); }},
                                        {QStringLiteral("修　改"), [this] { change(); }}}));
}

void CYyBcDlg::fill()
{
    m_list->DeleteAllRows();
    const QString format = QStringLiteral("HH:mm:ss");
    for (const BusinessShifts::Shift& shift : m_shifts.list())
        m_list->AddRow({QString::number(shift.number), shift.name, shift.start.toString(format),
                        shift.end.toString(format)});
}

int CYyBcDlg::selectedNumber() const
{
    return m_list->selectedRowTexts().value(0).toInt();
}

void CYyBcDlg::add()
{
    CBcDlg dialog(m_db, 0, this);
    if (dialog.exec() == QDialog::Accepted)
        fill();
}

void CYyBcDlg::change()
{
    const int number = selectedNumber();
    if (!m_shifts.checkSelected(number))
        return;
    CBcDlg dialog(m_db, number, this);
    if (dialog.exec() == QDialog::Accepted)
        fill();
}

void CYyBcDlg::remove()
{
    if (m_shifts.remove(selectedNumber()))
        fill();
}
