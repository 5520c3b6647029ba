#pragma once

#include "Outcome.h"

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The rooms of the rooms-and-tables page and its room dialog. Every message is shown through the
// prompt with the caption "提示信息"; a room's tables refer to it by name.
class RoomSettings final
{
public:
    // Right column of every room command.
    static inline const QString kRight = QStringLiteral("fjqx");
    static inline const QString kColumns = QStringLiteral("房间编号,80;房间名称,120;备注,200;");
    enum Column
    {
        Number,
        Name,
        Note,
        ColumnCount
    };
    static inline const QString kAddTitle = QStringLiteral("添加房间信息");
    static inline const QString kChangeTitle = QStringLiteral("修改房间信息");

    enum class Input
    {
        None,
        Name
    };
    using Result = Outcome<Input>;

    RoomSettings(Database& db, Prompt& prompt);

    // The rooms list, by number.
    QList<QStringList> rows();
    // Every room name by number: the room filter (after 显示全部) and the tables' room boxes.
    QStringList names();

    // `selected` is "" when no room is selected ("请选定要删除的房间!").
    bool mayChange(const QString& selected);

    // The room dialog's OK: "请输入房间名", then "已经存在此房间".
    Result add(const QString& name, const QString& note);
    // As add; renaming moves the room's tables to the new name in the same transaction.
    Result change(const QString& oldName, const QString& name, const QString& note);

    // Refused while the room has tables; asks nothing. True when the room is gone.
    bool remove(const QString& selected);

private:
    bool exists(const QString& name);
    Result refuse(const QString& message, Input input = Input::None);

    Database& m_db;
    Prompt& m_prompt;
};
