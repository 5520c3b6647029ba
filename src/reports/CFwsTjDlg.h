#pragma once

#include "ReportDialog.h"
#include "WaiterSales.h"

class Database;
class QLabel;

// 服务生销售统计: quantities and amounts per waiter and item, of all items or of chosen ones.
class CFwsTjDlg final : public ReportDialog
{
    Q_OBJECT
public:
    CFwsTjDlg(Database& db, Prompt& prompt, DefaultPrinter& printer, const QString& operatorName,
              QWidget* parent = nullptr);

    QDateEdit* startDate() const { return m_start; }
    QDateEdit* endDate() const { return m_end; }
    const QStringList& chosenItems() const { return m_items; }
    QLabel* heading() const { return m_heading; }
    // "指定项目": the picker with the chosen items ticked; only its OK keeps a choice.
    void chooseItems();
    void compute();

private:
    WaiterSales m_sales;
    QStringList m_items;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLabel* m_heading;
};
