#pragma once

#include "Outcome.h"
#include "ReportTable.h"

class Database;

// 财务管理: the period's profit and loss from the cash takings, the cost of what was sold at the
// items' present reference costs, and the income and expense entries recorded by hand (table
// zcsr), whose names "收入.ini" and "支出.ini" beside the program offer again. Every statement
// of the report is here.
class Finance final
{
public:
    enum class Kind
    {
        Income,
        Expense
    };
    enum class Input
    {
        None,
        Name,
        Amount,
        Person
    };
    struct Entry
    {
        QString name;
        QString amount; // as typed
        QString person;
        QString note;
        QDate date;
    };
    static const QString kStatementColumns;
    static const QString kDetailColumns;

    Finance(Database& db, const QString& folder);

    static QString title(Kind kind);
    // The names the kind's file offers.
    QStringList names(Kind kind) const;
    // Checks and records one entry: an expense is stored negative; a new name is kept in the
    // kind's file.
    Outcome<Input> add(Kind kind, const Entry& entry);

    // The statement: name, amount, type per line.
    ReportTable statement(const ReportPeriod& period, LineSource source = LineSource::DayTotals);
    // The records behind a line of the statement (its name with or without leading blanks).
    QList<QStringList> detail(const QString& line, const ReportPeriod& period);

private:
    Database& m_db;
    QString m_folder;
};
