#pragma once

#include "ReportContent.h"

#include <QPageLayout>
#include <QTableView>

class DefaultPrinter;
class Prompt;
class QPrinter;
class ReportTableModel;

// The list every screen of the program uses: columns from "name,width;" pairs, kept
// cell texts, alternating row shades with optional text colours per row, sorting by a
// header click, and the list turned into a report: printed, previewed, or exported to .xlsx.
class CPrintListReportCtrl : public QTableView
{
    Q_OBJECT
public:
    CPrintListReportCtrl(Prompt& prompt, DefaultPrinter& defaultPrinter, QWidget* parent = nullptr);

    // Appends the columns of "name,width;" pairs such as "编号,80;班次名称,100;", the widths
    // scaled from the 12-pixel Song face to the list's font.
    void SetColumnSpec(const QString& columns);
    // Appends a row (missing texts are empty, extra ones dropped); returns its index.
    int AddRow(const QStringList& texts);
    // Appends many rows at once, each with its text colour: a long list is laid out once.
    void AddRows(const QList<QStringList>& rows, const QList<QColor>& colours);
    void SetCellText(int row, int column, const QString& text);
    // Text colour of the row now at this position; it keeps the colour when sorted.
    void SetRowColor(int row, const QColor& colour);
    void DeleteRow(int row);
    void DeleteAllRows();
    // Replaces every row, drawn once.
    void setRows(const QList<QStringList>& rows);

    void SetReportTitle(const QString& text) { m_title = text; }
    void SetReportSubtitle(const QString& text) { m_subtitle = text; }
    void SetPrintLine(const QString& text) { m_printLine = text; }

    // The preview of the pages (maximized, modal); its print button prints and closes it.
    void PrintPreview();
    // The print dialog, then every page in the orientation of the landscape flag.
    void PrintWithDialog();
    // Asks where to save, then writes and opens the workbook.
    void ExportToExcel();
    // The lists' 导出 command: an empty list has nothing to write, and asks nothing.
    void ExportIfAny();

    // Draws every page on the printer, reporting a failure through the prompt.
    void Print(QPrinter& printer);
    // Saves the workbook under this name (".xlsx" appended when missing; an existing file is
    // replaced only if the operator agrees) and opens it with the desktop's application for it,
    // or says where it was saved when there is none.
    void ExportToExcelFile(QString path);

    int rowCount() const;
    int columnCount() const;
    QString cellText(int row, int column) const;
    QList<int> selectedRows() const;
    // Every cell of the first selected row; empty when none is selected.
    QStringList selectedRowTexts() const;
    void setMultipleSelection(bool multiple);
    void setGridLines(bool shown) { setShowGrid(shown); }
    bool isPreviewOpen() const { return m_previewing; }
    ReportContent content() const;

    // 0: footer at the bottom of every page; 1: right under the page's last row.
    bool footerAfterTable = false;
    // Orientation for printing through the print dialog.
    bool landscape = false;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void sortBy(int column);
    bool printThroughDialog(QPageLayout::Orientation orientation);
    void fitRowHeight();
    // The specified widths scaled to the font, widened to the contents.
    void fitColumnWidths();
    void scheduleFit();
    int contentWidth(int column) const;
    void showAllColumns(const QList<int>& contents);

    Prompt& m_prompt;
    DefaultPrinter& m_defaultPrinter;
    ReportTableModel* m_model;
    QString m_title;
    QString m_subtitle;
    QString m_printLine;
    QList<int> m_specifiedWidths;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    bool m_previewing = false;
    bool m_fitPending = false;
};
