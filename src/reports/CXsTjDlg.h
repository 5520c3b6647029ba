#pragma once

#include "ReportDialog.h"
#include "SalesStatistics.h"

class Database;

// 销售统计: the sales of a period per item category or per item, printed and exported.
class CXsTjDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CXsTjDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
             SalesStatistics::Mode mode, QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    void compute();

private:
    SalesStatistics m_statistics;
    SalesStatistics::Mode m_mode;
    QDateEdit* m_start;
    QDateEdit* m_end;
};
