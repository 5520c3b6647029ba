#include "TableSettings.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

const QString kOccupied = QStringLiteral("占用");

QString insertStatement(const QString& name, int seats, const QString& room)
{
    return QStringLiteral("insert into cz(czm,zzws,fjm) values (%1,%2,%3)")
        .arg(Sql::quote(name), QString::number(seats), Sql::quote(room));
}

} // namespace

TableSettings::TableSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> TableSettings::rows(const QString& room)
{
    QList<QStringList> result;
    const QString where =
        room.isEmpty() || room == kAllRooms ? QString() : QStringLiteral("where fjm=") + Sql::quote(room);
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from cz %1 order by id").arg(where)))
        return result;
    for (; !rs.isEOF(); rs.moveNext())
        result.append({rs.getString(QStringLiteral("czm")), rs.getString(QStringLiteral("zyzt")),
                       rs.getString(QStringLiteral("fjm")), rs.getString(QStringLiteral("zzws"))});
    return result;
}

TableSettings::Table TableSettings::read(const QString& name)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from cz where czm=") + Sql::quote(name)) ||
        rs.isEOF())
        return {};
    return {rs.getString(QStringLiteral("czm")), rs.getString(QStringLiteral("zzws")),
            rs.getString(QStringLiteral("fjm"))};
}

bool TableSettings::mayChange(const QString& selected)
{
    if (selected.isEmpty()) {
        m_prompt.warn(QStringLiteral("请选定要删除的餐桌!"));
        return false;
    }
    if (state(selected) == kOccupied) {
        m_prompt.warn(QStringLiteral("此餐桌正在使用,不能修改!"));
        return false;
    }
    return true;
}

TableSettings::Result TableSettings::add(const Table& table)
{
    Result refusal;
    if (table.name.isEmpty())
        return refuse(QStringLiteral("餐桌名不能为空！"), Input::Name);
    if (!checkSeatsAndRoom(table.seats, table.room, refusal))
        return refusal;
    if (exists(table.name))
        return refuse(QStringLiteral("已经存在此餐桌！"), Input::Name);
    Recordset rs;
    return Result::of(
        m_db.OpenRecordset(rs, insertStatement(table.name, Field::toInt(table.seats), table.room)));
}

TableSettings::Result TableSettings::change(const QString& oldName, const Table& table)
{
    Result refusal;
    if (table.name.isEmpty())
        return refuse(QStringLiteral("餐桌名不能为空！"), Input::Name);
    if (!checkSeatsAndRoom(table.seats, table.room, refusal))
        return refusal;
    if (table.name != oldName && exists(table.name))
        return refuse(QStringLiteral("已经存在此餐桌！"), Input::Name);
    if (everOpened(oldName))
        return refuse(QStringLiteral("此餐桌已经被使用,不能修改！"));
    // The table's bookings follow it to its new name.
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(QStringLiteral("update cz set czm=%1,zzws=%2,fjm=%3 where czm=%4")
                            .arg(Sql::quote(table.name), QString::number(Field::toInt(table.seats)),
                                 Sql::quote(table.room), Sql::quote(oldName)));
        m_db.ExecuteSql(QStringLiteral("update yd set czmc=%1 where czmc=%2")
                            .arg(Sql::quote(table.name), Sql::quote(oldName)));
        transaction.commit();
    } catch (const DbError&) {
        return refuse(QStringLiteral("修改餐桌发生异常,修改餐桌失败!"));
    }
    return Result::of(true);
}

bool TableSettings::remove(const QString& selected)
{
    if (selected.isEmpty()) {
        m_prompt.warn(QStringLiteral("请选定要删除的餐桌!"));
        return false;
    }
    if (state(selected) == kOccupied) {
        m_prompt.warn(QStringLiteral("此餐桌正在使用,不能删除!"));
        return false;
    }
    if (everOpened(selected)) {
        m_prompt.warn(QStringLiteral("此餐桌已经被使用,不能删除！"));
        return false;
    }
    // Its bookings would point at no table.
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select top 1 id from yd where zt='已订' and czmc=") +
                                    Sql::quote(selected)))
        return false;
    if (!rs.isEOF()) {
        m_prompt.warn(QStringLiteral("此餐桌已有预订,不能删除！"));
        return false;
    }
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from cz where czm=") + Sql::quote(selected));
}

TableSettings::Result TableSettings::addBatch(const Batch& batch)
{
    Result refusal;
    if (batch.from.isEmpty())
        return refuse(QStringLiteral("范围不能为空！"), Input::From);
    if (batch.to.isEmpty())
        return refuse(QStringLiteral("范围不能为空！"), Input::To);
    if (!checkSeatsAndRoom(batch.seats, batch.room, refusal))
        return refusal;
    try {
        Transaction transaction(m_db);
        for (const QString& name : batchNames(batch))
            if (m_db.query(QStringLiteral("select id from cz where czm=") + Sql::quote(name)).isEOF())
                m_db.ExecuteSql(insertStatement(name, Field::toInt(batch.seats), batch.room));
        transaction.commit();
    } catch (const DbError&) {
        return refuse(QStringLiteral("批量添加餐桌发生异常,批量添加餐桌失败!"));
    }
    return Result::of(true);
}

QStringList TableSettings::batchNames(const Batch& batch)
{
    QStringList names;
    const int to = Field::toInt(batch.to);
    for (int n = Field::toInt(batch.from); n <= to; ++n) {
        names << (batch.markBefore ? batch.mark + QString::number(n) : QString::number(n) + batch.mark);
        if (n == to) // the last integer has no successor
            break;
    }
    return names;
}

bool TableSettings::checkSeatsAndRoom(const QString& seats, const QString& room, Result& refusal)
{
    if (seats.isEmpty())
        refusal = refuse(QStringLiteral("座位数不能为空！"), Input::Seats);
    // A table seats at least one guest.
    else if (Field::toInt(seats) <= 0)
        refusal = refuse(QStringLiteral("座位数请输入非零整数！"), Input::Seats);
    else if (room.isEmpty())
        refusal = refuse(QStringLiteral("房间名不能为空！"), Input::Room);
    else
        return true;
    return false;
}

bool TableSettings::exists(const QString& name)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select id from cz where czm=") + Sql::quote(name)) &&
           !rs.isEOF();
}

bool TableSettings::everOpened(const QString& name)
{
    Recordset rs;
    return m_db.OpenRecordset(rs,
                              QStringLiteral("select top 1 djbh from dj where czm=") + Sql::quote(name)) &&
           !rs.isEOF();
}

QString TableSettings::state(const QString& name)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select zyzt from cz where czm=") + Sql::quote(name)) ||
        rs.isEOF())
        return {};
    return rs.getString(QStringLiteral("zyzt"));
}

TableSettings::Result TableSettings::refuse(const QString& message, Input input)
{
    m_prompt.warn(message);
    return {false, message, input};
}
