#pragma once

#include "ReportTable.h"

class Database;

// 退单查询 and 赠单查询: the lines returned (negative quantity) or given free (ratio 0) in a
// period, of one bill or of all. Every statement of the query is here.
class ReturnsQuery final
{
public:
    enum class Mode
    {
        Returns,
        Gifts
    };

    explicit ReturnsQuery(Database& db);

    static QString title(Mode mode);
    static QString columns(Mode mode);
    ReportTable compute(Mode mode, const ReportPeriod& period, const QString& bill);

private:
    Database& m_db;
};
