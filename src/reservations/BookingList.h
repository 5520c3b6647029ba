#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The bookings behind the management dialog CYdGlDlg, without its widgets: the query with its
// report headings, and 预订取消, 预订恢复 and the check before 修改预订, each on the list's
// selected row.
class BookingList final
{
public:
    static const QString kTitle;
    static const QString kColumns;
    // The state filter; "全部" takes every state.
    static const QStringList kStates;
    enum Column
    {
        Row,
        Number,
        Guest,
        Mobile,
        Phone,
        Room,
        Table,
        State,
        Arrival,
        HoldUntil,
        Deposit,
        Note,
        Operator
    };

    struct Filter
    {
        QDateTime start;
        QDateTime end;
        QString state;
        bool byTable = false; // the text is a table's name, else a guest's name or telephone
        QString text;         // the start of what is looked for
    };

    explicit BookingList(Database& db);

    static QString subtitle(const Filter& filter);
    // The rows of the bookings that arrive within the period, in the list's columns.
    QList<QStringList> query(const Filter& filter);

    // `row` is the selected row, empty when none. True when the list is to be queried again.
    // Both ask whether the whole booking or only the row's table is meant.
    bool cancel(const QStringList& row);
    // Refused when a table to restore has been booked again for the booking's shift and day.
    bool restore(const QStringList& row);
    // 修改预订: only a booking whose every table is still booked.
    bool mayModify(const QStringList& row);

private:
    bool selected(const QStringList& row);
    bool run(const QString& statement);

    Database& m_db;
};
