#include "BillChangesDialog.h"

#include "BillChanges.h"
#include "Clock.h"
#include "CommandRow.h"
#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DefaultPrinter.h"
#include "PrintTimeLine.h"
#include "Sql.h"

#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

BillChangesDialog::BillChangesDialog(Database& db, const QString& operatorName,
                                     DefaultPrinter& defaultPrinter, QWidget* parent)
    : QDialog(parent), m_db(db), m_operatorName(operatorName), m_range(this),
      m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)), m_beforeFields(new QLabel(this)),
      m_afterFields(new QLabel(this)),
      m_beforeLines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this)),
      m_afterLines(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("账单修改记录"));
    m_list->SetColumnSpec(BillChanges::kColumns);
    m_list->setGridLines(true);
    for (CPrintListReportCtrl* lines : {m_beforeLines, m_afterLines}) {
        lines->SetColumnSpec(BillChanges::kImageColumns);
        lines->setGridLines(true);
    }
    for (QLabel* fields : {m_beforeFields, m_afterFields}) {
        fields->setStyleSheet(QStringLiteral("color: blue;"));
        fields->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }
    m_range.setDay(Clock::today());
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showChange(current.row()); });

    auto* sides = new QGridLayout;
    sides->addWidget(new QLabel(QStringLiteral("修改前的账单:"), this), 0, 0);
    sides->addWidget(new QLabel(QStringLiteral("修改后的账单:"), this), 0, 1);
    sides->addWidget(m_beforeFields, 1, 0);
    sides->addWidget(m_afterFields, 1, 1);
    sides->addWidget(m_beforeLines, 2, 0);
    sides->addWidget(m_afterLines, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_range.filterRow());
    layout->addWidget(m_list, 1);
    layout->addLayout(sides, 2);
    layout->addLayout(commandRow(this, {{QStringLiteral("查询(&Q)"), [this] { query(); }},
                                        {QStringLiteral("打印(&P)"),
                                         [this, &defaultPrinter] {
                                             if (m_list->rowCount() == 0)
                                                 return;
                                             defaultPrinter.SetPrintOrientation(true);
                                             m_list->PrintPreview();
                                         }},
                                        {QStringLiteral("导出(&E)"), [this] { m_list->ExportIfAny(); }},
                                        {QStringLiteral("关闭(&C)"), [this] { reject(); }}}));
    resize(980, 680);
}

void BillChangesDialog::setRange(const QDateTime& start, const QDateTime& end)
{
    m_range.set(start, end);
}

void BillChangesDialog::query()
{
    const QDateTime start = m_range.start();
    const QDateTime end = m_range.end();
    m_list->SetReportTitle(QStringLiteral("账单修改记录"));
    m_list->SetReportSubtitle(QStringLiteral("起止时间:") + Sql::timeText(start) + QStringLiteral("—") +
                              Sql::timeText(end));
    m_list->SetPrintLine(PrintTimeLine(m_operatorName));
    m_list->setRows(BillChanges::rows(m_db, start, end));
    if (m_list->rowCount() > 0)
        m_list->selectRow(0);
    else
        showChange(-1);
}

void BillChangesDialog::showChange(int row)
{
    // The change of the row by its number: a click on a header sorts the list.
    const qint64 change = row < 0 ? 0 : m_list->cellText(row, 0).toLongLong();
    for (bool after : {false, true}) {
        const BillChanges::Image image =
            BillChanges::image(m_db, change, after ? BillChanges::kAfter : BillChanges::kBefore);
        fields(after)->setText(image.fields.isEmpty() && after && change > 0
                                   ? QStringLiteral("(账单已删除)")
                                   : image.fields.join(QLatin1Char('\n')));
        side(after)->setRows(image.lines);
    }
}
