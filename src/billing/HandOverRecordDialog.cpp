#include "HandOverRecordDialog.h"

#include "CashierReport.h"
#include "Clock.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "HandOverSlip.h"
#include "PrintTimeLine.h"
#include "Prompt.h"
#include "ReceiptPrinter.h"
#include "Sql.h"

#include <QComboBox>
#include <QVBoxLayout>

HandOverRecordDialog::HandOverRecordDialog(Database& db, const QString& operatorName, ReceiptPrinter& printer,
                                           DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_db(db), m_operatorName(operatorName), m_printer(printer), m_range(this),
      m_who(new QComboBox(this)), m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("交班记录"));
    m_list->SetColumnSpec(HandOverSlip::kColumns);
    m_list->setGridLines(true);
    m_who->addItems(CashierReport(db).cashiers());
    m_range.setDay(Clock::today());
    connect(m_list, &QAbstractItemView::doubleClicked, this, &HandOverRecordDialog::reprint);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_range.filterRow({{QStringLiteral("操作员:"), m_who}}));
    layout->addWidget(m_list, 1);
    layout->addLayout(commandRow(this, {{QStringLiteral("查询(&Q)"), [this] { query(); }},
                                        {QStringLiteral("重打交班单(&R)"), [this] { reprint(); }},
                                        {QStringLiteral("导出(&E)"), [this] { m_list->ExportIfAny(); }},
                                        {QStringLiteral("关闭(&C)"), [this] { reject(); }}}));
    resize(980, 480);
}

void HandOverRecordDialog::setRange(const QDateTime& start, const QDateTime& end)
{
    m_range.set(start, end);
}

void HandOverRecordDialog::query()
{
    const QDateTime start = m_range.start();
    const QDateTime end = m_range.end();
    m_list->SetReportTitle(QStringLiteral("交班记录"));
    m_list->SetReportSubtitle(QStringLiteral("起止时间:") + Sql::timeText(start) + QStringLiteral("—") +
                              Sql::timeText(end) + QStringLiteral("      操作员:") + m_who->currentText());
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    m_list->setRows(HandOverSlip::records(m_db, start, end, m_who->currentText()));
}

bool HandOverRecordDialog::reprint()
{
    const int row = m_list->currentIndex().row();
    if (row < 0) {
        m_db.prompt().warn(QStringLiteral("请选择要重打的交班记录!"));
        return false;
    }
    // The slip of the row by its number: a click on a header sorts the list.
    const qint64 number = m_list->cellText(row, 0).toLongLong();
    return m_printer.printSlip(HandOverSlip::keptLines(m_db, number), QStringLiteral("交班单%1").arg(number));
}
