#pragma once

#include "TableBoard.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Opening tables for arriving guests and changing an open table's registration, without the
// dialogs: the checks before the open-table dialog shows, and the writes after it closes, each
// in one transaction.
class TableOpening final
{
public:
    // What the open-table dialog is shown for.
    struct Plan
    {
        QStringList tables;      // the main table first, then the group in order of selection
        QList<int> reservations; // yd.id of the reservation rows the guests arrive for
        QString note;            // the dialog's 备注 to start with
        // The first table is reserved: the reservation choice decides the tables (planReserved).
        bool needsReservationChoice = false;
    };

    struct Registration
    {
        int guests = 0;
        QString note;
        int waiter = 0;
    };

    static const QString kTitle;
    static const QString kChangeTitle;
    static const QString kOrderNow;
    static const QString kOrderAfterChange;

    explicit TableOpening(Database& db);

    // The checks of 顾客开单 on the selected board items; each refusal shows its message.
    std::optional<Plan> plan(bool allowed, const QList<TableBoard::Item>& selected);
    // The plan for the tables and reservation rows handed back by the reservation choice.
    Plan planReserved(const QStringList& tables, const QList<int>& reservations) const;

    // The dialog's 顾客人数: an integer from 1 to 1000, else a message and nothing.
    std::optional<int> guests(const QString& text);

    // Writes the registrations, occupies the tables and marks the reservations arrived, all or
    // nothing. Returns the main registration number; "" after "此餐桌已被占用!" (a table was
    // opened meanwhile) or "开单发生异常,开单失败!".
    QString open(const Plan& plan, int guests, const QString& note, int waiter);

    // 修改登记: the open registration of a table, and its change (guests, note, waiter).
    std::optional<Registration> registration(const QString& table);
    bool change(const QString& table, int guests, const QString& note, int waiter);

    // The registration query's waiter dialog: sets the waiter of one registration.
    bool setWaiter(const QString& registrationNumber, int waiter);

private:
    QString freeNumber(const QDateTime& at, int tables);

    Database& m_db;
};
