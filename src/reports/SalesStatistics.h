#pragma once

#include "ReportTable.h"

class Database;

// 销售统计: what was sold in a period, from the settled lines, per item category or per item,
// with each row's share of the takings and its profit over the items' present purchase price
// (毛利) and reference cost (纯利). The table fee has no item of its own to cost it; it is
// reported on its own row. Every statement of the report is here.
class SalesStatistics final
{
public:
    enum class Mode
    {
        Item = 0,
        Category = 1
    };
    static const QString kTableFee;

    explicit SalesStatistics(Database& db);

    static QString columns(Mode mode);
    ReportTable compute(Mode mode, const ReportPeriod& period, LineSource source = LineSource::DayTotals);

private:
    Database& m_db;
};
