#pragma once

#include "ReportTable.h"

class Database;

// 登记查询: the visits that arrived in a period, of all waiters or of one. Every statement of the
// query is here.
class RegistrationQuery final
{
public:
    static const QString kColumns;

    explicit RegistrationQuery(Database& db);

    // waiter 0 with an empty name: every waiter ("全部").
    ReportTable compute(const ReportPeriod& period, int waiter, const QString& waiterName);
    // The waiter number of a registration, 0 when none.
    int waiterOf(const QString& registration);

private:
    Database& m_db;
};
