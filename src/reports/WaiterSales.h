#pragma once

#include "ReportTable.h"

class Database;

// 服务生销售统计: quantities and amounts per waiter and item, from the lines settled with the
// visits the waiters served; all items or the chosen ones. Every statement of the report is here.
class WaiterSales final
{
public:
    static const QString kColumns;
    static const QString kNoWaiter;

    explicit WaiterSales(Database& db);

    // "服务生销售统计(所有项目)", or "(指定项目)" when items are chosen.
    static QString heading(const QStringList& items);
    // The items offered for choosing.
    QStringList itemNames();
    ReportTable compute(const ReportPeriod& period, const QStringList& items,
                        LineSource source = LineSource::DayTotals);

private:
    Database& m_db;
};
