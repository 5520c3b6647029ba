#include "CPrintListReportCtrl.h"

#include "CExcelWriter.h"
#include "ColumnList.h"
#include "DefaultPrinter.h"
#include "FileDialogs.h"
#include "Prompt.h"
#include "ReportPrintout.h"
#include "ReportTableModel.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QScrollBar>
#include <QtMath>
#include <QUrl>

CPrintListReportCtrl::CPrintListReportCtrl(Prompt& prompt, DefaultPrinter& defaultPrinter, QWidget* parent)
    : QTableView(parent), m_prompt(prompt), m_defaultPrinter(defaultPrinter),
      m_model(new ReportTableModel(this))
{
    setModel(m_model);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);

    // Every row is one line high: the view never measures rows, so long lists stay quick.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    fitRowHeight();

    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &CPrintListReportCtrl::sortBy);
    // Columns grow to their contents once the rows of a fill are in (a fill adds row by row).
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &CPrintListReportCtrl::scheduleFit);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CPrintListReportCtrl::scheduleFit);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CPrintListReportCtrl::scheduleFit);

    // A selected row shows yellow text on red, whatever its own colours.
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, QColor(0xFF, 0x00, 0x00));
        colours.setColor(group, QPalette::HighlightedText, QColor(0xFF, 0xFF, 0x00));
    }
    setPalette(colours);
}

void CPrintListReportCtrl::SetColumnSpec(const QString& columns)
{
    for (const ReportColumn& column : ColumnList::parse(columns)) {
        m_model->appendColumn(column.name);
        m_specifiedWidths << qMax(0, column.width);
    }
    fitColumnWidths();
}

int CPrintListReportCtrl::AddRow(const QStringList& texts)
{
    return m_model->addRow(texts);
}

void CPrintListReportCtrl::SetCellText(int row, int column, const QString& text)
{
    m_model->setCellText(row, column, text);
}

void CPrintListReportCtrl::SetRowColor(int row, const QColor& colour)
{
    m_model->setRowColor(row, colour);
}

void CPrintListReportCtrl::DeleteRow(int row)
{
    m_model->deleteRow(row);
}

void CPrintListReportCtrl::DeleteAllRows()
{
    m_model->deleteAllRows();
}

void CPrintListReportCtrl::setRows(const QList<QStringList>& rows)
{
    setUpdatesEnabled(false);
    m_model->deleteAllRows();
    m_model->addRows(rows);
    setUpdatesEnabled(true);
}

void CPrintListReportCtrl::AddRows(const QList<QStringList>& rows, const QList<QColor>& colours)
{
    m_model->addRows(rows, colours);
}

int CPrintListReportCtrl::rowCount() const
{
    return m_model->rowCount();
}

int CPrintListReportCtrl::columnCount() const
{
    return m_model->columnCount();
}

QString CPrintListReportCtrl::cellText(int row, int column) const
{
    return m_model->cellText(row, column);
}

QList<int> CPrintListReportCtrl::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList CPrintListReportCtrl::selectedRowTexts() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? QStringList() : m_model->rows().at(rows.first());
}

void CPrintListReportCtrl::setMultipleSelection(bool multiple)
{
    setSelectionMode(multiple ? ExtendedSelection : SingleSelection);
}

ReportContent CPrintListReportCtrl::content() const
{
    ReportContent content;
    content.title = m_title;
    content.subtitle = m_subtitle;
    content.printLine = m_printLine;
    content.headers = m_model->headers();
    for (int c = 0; c < m_model->columnCount(); ++c)
        content.widths << horizontalHeader()->sectionSize(c);
    content.rows = m_model->rows();
    content.footerAfterTable = footerAfterTable;
    return content;
}

void CPrintListReportCtrl::sortBy(int column)
{
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    m_model->sortByColumn(column, m_sortAscending);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(column, m_sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CPrintListReportCtrl::Print(QPrinter& printer)
{
    switch (ReportPrintout::print(content(), printer)) {
    case ReportPrintout::Result::Printed:
        break;
    case ReportPrintout::Result::NotStarted:
        m_prompt.error(QStringLiteral("打印报表时发生异常，请重新操作打印！"), QStringLiteral("打印报表"));
        break;
    case ReportPrintout::Result::PageFailed:
        m_prompt.error(QStringLiteral("打印数据时发生异常！"), QStringLiteral("错误"));
        break;
    }
}

bool CPrintListReportCtrl::printThroughDialog(QPageLayout::Orientation orientation)
{
    QPrinter& printer = m_defaultPrinter.printer();
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize); // all pages: no range, selection or file
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printer.setPageOrientation(orientation);
    printer.setDocName(Prompt::kProgramTitle);
    Print(printer);
    return true;
}

void CPrintListReportCtrl::PrintWithDialog()
{
    printThroughDialog(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void CPrintListReportCtrl::PrintPreview()
{
    QPrinter& printer = m_defaultPrinter.printer();
    QPrintPreviewDialog preview(&printer, window());
    preview.setWindowTitle(m_title + QStringLiteral("  ----  打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { Print(*p); });

    // The toolbar's print button prints the pages as previewed (the orientation shown, not the
    // landscape flag, so paper and preview agree) and closes the preview.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != printText)
            continue;
        disconnect(action, nullptr, &preview, nullptr);
        connect(action, &QAction::triggered, &preview, [this, &preview, &printer] {
            printThroughDialog(printer.pageLayout().orientation());
            preview.accept();
        });
    }

    m_previewing = true;
    // The whole screen, also where no window manager maximizes windows.
    if (const QScreen* screen = window()->screen())
        preview.resize(screen->availableGeometry().size());
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
    m_previewing = false;
}

void CPrintListReportCtrl::ExportIfAny()
{
    if (rowCount() > 0)
        ExportToExcel();
}

void CPrintListReportCtrl::ExportToExcel()
{
    const QString path = FileDialogs::saveFile(this, QStringLiteral("保存为Excel "), m_title,
                                               QStringLiteral("*.xlsx;;所有文件 (*.*)"));
    if (!path.isEmpty())
        ExportToExcelFile(path);
}

void CPrintListReportCtrl::ExportToExcelFile(QString path)
{
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    if (QFileInfo::exists(path) &&
        !m_prompt.askOkCancel(path + QStringLiteral("文件已经存在，是否替换原文件？")))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = CExcelWriter(content()).save(path);
    QApplication::restoreOverrideCursor();
    if (!saved)
        m_prompt.info(QStringLiteral("路径") + path + QStringLiteral("错误,不能打开显示!"));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        m_prompt.info(QStringLiteral("报表已保存到") + path + QStringLiteral("，本机没有可以打开它的程序。"));
}

void CPrintListReportCtrl::fitRowHeight()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void CPrintListReportCtrl::scheduleFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, &CPrintListReportCtrl::fitColumnWidths, Qt::QueuedConnection);
}

int CPrintListReportCtrl::contentWidth(int column) const
{
    // The header in the bold face a sort indicator may follow; the cells of the first rows (a
    // long list's first screens tell its usual content well enough, and stay quick to measure).
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    int widest = QFontMetrics(bold).horizontalAdvance(m_model->headers().value(column)) + 24;
    const QFontMetrics metrics(font());
    const QList<QStringList>& rows = m_model->rows();
    for (qsizetype r = 0; r < qMin<qsizetype>(rows.size(), 500); ++r)
        widest = qMax(widest, metrics.horizontalAdvance(rows.at(r).value(column)) + 12);
    return widest;
}

void CPrintListReportCtrl::showAllColumns(const QList<int>& contents)
{
    // In a dialog the window widens, within the screen, until every column shows; the main
    // window's lists keep their width. Where that is not enough, the columns wider than their
    // contents give up the difference, and what is left scrolls.
    if (!isVisible())
        return;
    int missing = horizontalHeader()->length() + 2 * frameWidth() +
                  (verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0) - width();
    QWidget* dialog = window();
    const QScreen* screen = dialog->screen();
    if (missing > 0 && dialog->inherits("QDialog") && screen) {
        const QRect available = screen->availableGeometry();
        const int frame = dialog->frameGeometry().width() - dialog->width();
        const int wanted = qMin(dialog->width() + missing, available.width() - frame);
        if (wanted > dialog->width()) {
            missing -= wanted - dialog->width();
            dialog->resize(wanted, dialog->height());
            const int overhang = dialog->frameGeometry().right() - available.right();
            if (overhang > 0)
                dialog->move(qMax(available.left(), dialog->x() - overhang), dialog->y());
        }
    }
    for (int c = 0; missing > 0 && c < contents.size(); ++c) {
        const int spare = qMin(missing, horizontalHeader()->sectionSize(c) - contents.at(c));
        if (spare > 0) {
            horizontalHeader()->resizeSection(c, horizontalHeader()->sectionSize(c) - spare);
            missing -= spare;
        }
    }
}

void CPrintListReportCtrl::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    scheduleFit();
}

void CPrintListReportCtrl::fitColumnWidths()
{
    m_fitPending = false;
    // The specified widths were made for the 12-pixel Song face: 12 pixels a Chinese character,
    // 6 a digit. They grow by the larger of the two ratios of the font in use, so that what they
    // were made for (a time to the second, a phone number, a name) still fits.
    const QFontMetricsF metrics(font());
    const qreal scale = qMax(1.0, qMax(metrics.horizontalAdvance(QChar(0x6C49)) / 12,
                                       metrics.horizontalAdvance(QLatin1Char('0')) / 6));
    // A column is never narrower than specified, and as wide as its contents, up to a width
    // that leaves room for the others (a long note is cut, not the whole list pushed away).
    const int longest = qRound(360 * scale);
    QList<int> contents;
    for (int c = 0; c < m_specifiedWidths.size(); ++c) {
        const int specified = qCeil(m_specifiedWidths.at(c) * scale);
        contents << qMin(contentWidth(c), qMax(specified, longest));
        horizontalHeader()->resizeSection(c, specified == 0 ? 0 : qMax(specified, contents.last()));
    }
    showAllColumns(contents);
}

void CPrintListReportCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        fitRowHeight();
        fitColumnWidths();
    }
    QTableView::changeEvent(event);
}
