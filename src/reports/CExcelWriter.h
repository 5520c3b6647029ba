#pragma once

#include "ReportContent.h"

// Writes a list report as an .xlsx workbook: the title and subtitle merged across the table,
// the bold bordered header row, the rows, the print line, fitted column widths. Columns of money,
// quantities, ratios and percentages are written as numbers shown as the list shows them ("0.00",
// "0.00%"; quantities as they are), so that the spreadsheet can add them up; every other cell is
// written as its text.
class CExcelWriter final
{
public:
    explicit CExcelWriter(const ReportContent& content);

    // False when the workbook could not be written; an existing file is replaced only by a
    // complete new one.
    bool save(const QString& path) const;

    // Column width in characters fitted to the longest text of the column.
    static double fittedWidth(const QString& header, const QList<QStringList>& rows, int column);

private:
    const ReportContent& m_content;
};
