#pragma once

#include <functional>
#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class Prompt;
class QBoxLayout;
class QDateEdit;
class QPushButton;
struct ReportTable;

// What every report dialog shares: its list, filled from what the report's operation computed,
// printed through the preview and exported, both only when the list has rows.
class ReportDialog : public QDialog
{
    Q_OBJECT
public:
    CPrintListReportCtrl* list() const { return m_list; }

protected:
    ReportDialog(Prompt& prompt, DefaultPrinter& printer, const QString& operatorName, QWidget* parent);

    // Empties the list and fills it with the table; the print line names now and the operator.
    void showTable(const ReportTable& table);
    void preview(bool portrait);
    void exportList();
    // A button at the end of `row` that runs `action`; Enter never presses it unasked.
    QPushButton* addButton(QBoxLayout* row, const QString& text, const std::function<void()>& action);
    // A labelled date field at the end of `row`, showing today.
    QDateEdit* addDate(QBoxLayout* row, const QString& label);

    Prompt& m_prompt;
    DefaultPrinter& m_printer;
    QString m_operatorName;
    CPrintListReportCtrl* m_list;
};
