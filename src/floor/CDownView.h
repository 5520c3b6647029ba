#pragma once

#include "TableLines.h"

#include <QWidget>

class CPrintListReportCtrl;
class Database;
class DefaultPrinter;
class Prompt;

// The lines pane: the open consumption lines of the table chosen on the board, returns in red,
// gifts in orange, and a "合计" row.
class CDownView final : public QWidget
{
    Q_OBJECT
public:
    CDownView(Database& db, Prompt& prompt, DefaultPrinter& printer, QWidget* parent = nullptr);

    // The table's lines; "" empties the pane.
    void load(const QString& table);
    // The lines of the table shown now, read again.
    void reload() { load(m_table); }
    const QString& table() const { return m_table; }
    CPrintListReportCtrl* list() const { return m_list; }

private:
    TableLines m_lines;
    QString m_table;
    CPrintListReportCtrl* m_list;
};
