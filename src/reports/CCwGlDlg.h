#pragma once

#include "Finance.h"
#include "ReportDialog.h"

// 财务管理: the statement of a period, the records behind its selected line, and the entries of
// income and expense.
class CCwGlDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CCwGlDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             const QString& folder, QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    CPrintListReportCtrl* detailList() const { return m_detail; }
    void compute();
    // 增加收入 / 增加支出; the statement again after a saved entry.
    void addEntry(Finance::Kind kind);

private:
    void showDetail();

    Finance m_finance;
    // The days of the statement shown, which its details keep to.
    ReportPeriod m_period;
    QDateEdit* m_start;
    QDateEdit* m_end;
    CPrintListReportCtrl* m_detail;
};
