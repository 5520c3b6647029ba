#pragma once

#include "ReportTable.h"

class Database;

// 消费查询: the lines of guests still present (unsettled, by table or by item) or of guests gone
// (by bill number) in a period. Every statement of the query is here.
class ConsumptionQuery final
{
public:
    enum class Mode
    {
        Present,
        Gone
    };
    enum class By
    {
        Table,
        Item
    };
    static const QString kColumns;

    explicit ConsumptionQuery(Database& db);

    // Lines whose table, item or bill begins with `text` (quotes dropped; empty: all).
    ReportTable compute(Mode mode, By by, const ReportPeriod& period, QString text);

private:
    Database& m_db;
};
