#pragma once

#include "BusinessShifts.h"
#include "Outcome.h"

#include <optional>
#include <QDateTime>
#include <QList>
#include <QString>

class Database;

// One booking of dining tables for one business shift of one day, without the reservation dialog
// CGkYdDlg: the tables it may take, a booking read back to be modified, and the checks and writes
// of its save. A booking is one yd row per table, all under one reservation number.
class Booking final
{
public:
    struct Table
    {
        QString room;
        QString name;
        bool operator==(const Table&) const = default;
    };

    // The dialog's fields.
    struct Entry
    {
        QString number;              // ydbh; "" until a new booking is saved
        BusinessShifts::Shift shift; // number 0 when there is no shift to choose
        QDateTime arrival;           // 预抵时间
        QDateTime holdUntil;         // 取消时间: the booking lapses after it
        QString guest;
        QString mobile;
        QString phone;
        QString deposit;
        QString note;
        QList<Table> tables;
    };

    enum class Input
    {
        None,
        Shift,
        Guest,
        Phone,
        Arrival,
        HoldUntil,
        Deposit,
        Tables
    };
    using Result = Outcome<Input>;

    explicit Booking(Database& db);

    // A shift as the drop-down offers it: "午市(10:00:00－14:59:59)".
    static QString shiftText(const BusinessShifts::Shift& shift);
    // Which of the shifts to offer first: the one running now, else the first; -1 without shifts.
    int runningShift(const QList<BusinessShifts::Shift>& shifts);

    // The tables not yet booked for this shift on the arrival's day, in board order. Once the
    // arrival has passed, the shift has begun and tables occupied now are left out too. The rows
    // of the booking being modified (`number`) do not count as taken.
    QList<Table> freeTables(int shift, const QDateTime& arrival, const QString& number = {});

    // The booking to modify; its shift carries only the number. Nothing when it is gone.
    std::optional<Entry> read(const QString& number);

    // OK: the checks in order, each refusal with its message and the field to correct; then every
    // row in one transaction, which first makes sure that no other booking has taken one of the
    // tables for the shift and day since they were offered. A new booking takes the moment of
    // saving as its number (the next free second when that is taken); a modified one replaces its
    // rows under its number. The operator who saves becomes the booking's operator.
    Result save(Entry& entry, const QString& operatorName);

private:
    Result refuse(const QString& message, Input input);
    // The first of the entry's tables that another booking holds for its shift and day; "" when none.
    QString takenTable(const Entry& entry, const QString& number);
    QString freeNumber(const QDateTime& at);

    Database& m_db;
};
