#pragma once

#include "Outcome.h"

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The dining tables of the rooms-and-tables page: the tables list with its room filter, the table
// dialog and the batch dialog. A table that was ever opened keeps its name for good: the visits,
// lines and bills refer to it by name. Every message is shown through the prompt.
class TableSettings final
{
public:
    // Right column of every table command.
    static inline const QString kRight = QStringLiteral("czqx");
    static inline const QString kColumns = QStringLiteral("餐桌名称,100;状态,60;所属房间,100;座位数,60;");
    enum Column
    {
        Name,
        State,
        Room,
        Seats,
        ColumnCount
    };
    // First entry of the room filter.
    static inline const QString kAllRooms = QStringLiteral("显示全部");
    static inline const QString kAddTitle = QStringLiteral("添加餐桌信息");
    static inline const QString kChangeTitle = QStringLiteral("修改餐桌信息");
    static inline const QString kBatchTitle = QStringLiteral("批量添加房间");

    enum class Input
    {
        None,
        Name,
        Seats,
        Room,
        From,
        To
    };
    using Result = Outcome<Input>;

    // The table dialog's fields as typed.
    struct Table
    {
        QString name;
        QString seats;
        QString room;
    };

    // The batch dialog's fields: tables named mark + n (markBefore) or n + mark, n from..to.
    struct Batch
    {
        QString from;
        QString to;
        QString mark;
        bool markBefore = true;
        QString seats;
        QString room;
    };

    TableSettings(Database& db, Prompt& prompt);

    // The tables of one room, or of every room for kAllRooms or "", by number.
    QList<QStringList> rows(const QString& room = kAllRooms);
    // The table as the change dialog shows it; empty fields when there is none of that name.
    Table read(const QString& name);

    // Before the change dialog: "请选定要删除的餐桌!" when none is selected, "此餐桌正在使用,不能修改!"
    // while it is occupied.
    bool mayChange(const QString& selected);

    // The table dialog's OK, checks in order: name, seats, room, existing name.
    Result add(const Table& table);
    // As add, then refused for a table that has ever been opened; its bookings take the new name.
    Result change(const QString& oldName, const Table& table);
    // Refused while occupied, for a table that has ever been opened and for one that is booked;
    // asks nothing.
    bool remove(const QString& selected);

    // The batch dialog's OK: adds every table of the range whose name is free, in one
    // transaction; names that exist are skipped without a message.
    Result addBatch(const Batch& batch);
    // The names a batch gives, in order.
    static QStringList batchNames(const Batch& batch);

private:
    // The checks the table and batch dialogs share, after their own first ones.
    bool checkSeatsAndRoom(const QString& seats, const QString& room, Result& refusal);
    bool exists(const QString& name);
    bool everOpened(const QString& name);
    QString state(const QString& name);
    Result refuse(const QString& message, Input input = Input::None);

    Database& m_db;
    Prompt& m_prompt;
};
