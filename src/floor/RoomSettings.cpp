#include "RoomSettings.h"

#include "Database.h"
#include "DbError.h"
#include "Prompt.h"
#include "Sql.h"

RoomSettings::RoomSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> RoomSettings::rows()
{
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fj order by id")))
        return result;
    for (; !rs.isEOF(); rs.moveNext())
        result.append({rs.getString(QStringLiteral("id")), rs.getString(QStringLiteral("fjm")),
                       rs.getString(QStringLiteral("csfy"))});
    return result;
}

QStringList RoomSettings::names()
{
    QStringList result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select fjm from fj order by id ")))
        return result;
    for (; !rs.isEOF(); rs.moveNext())
        result << rs.getString(QStringLiteral("fjm"));
    return result;
}

bool RoomSettings::mayChange(const QString& selected)
{
    if (!selected.isEmpty())
        return true;
    m_prompt.warn(QStringLiteral("请选定要删除的房间!"));
    return false;
}

RoomSettings::Result RoomSettings::add(const QString& name, const QString& note)
{
    if (name.isEmpty())
        return refuse(QStringLiteral("请输入房间名"), Input::Name);
    if (exists(name))
        return refuse(QStringLiteral("已经存在此房间"), Input::Name);
    Recordset rs;
    return Result::of(m_db.OpenRecordset(
        rs,
        QStringLiteral("insert into fj(fjm,csfy) values (%1,%2)").arg(Sql::quote(name), Sql::quote(note))));
}

RoomSettings::Result RoomSettings::change(const QString& oldName, const QString& name, const QString& note)
{
    if (name.isEmpty())
        return refuse(QStringLiteral("请输入房间名"), Input::Name);
    if (name != oldName && exists(name))
        return refuse(QStringLiteral("已经存在此房间"), Input::Name);
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(QStringLiteral("Update fj set fjm=%1,csfy=%2 where fjm=%3")
                            .arg(Sql::quote(name), Sql::quote(note), Sql::quote(oldName)));
        m_db.ExecuteSql(
            QStringLiteral("Update cz set fjm=%1 where fjm=%2").arg(Sql::quote(name), Sql::quote(oldName)));
        transaction.commit();
    } catch (const DbError&) {
        return refuse(QStringLiteral("修改房间发生异常,修改房间失败!"));
    }
    return Result::of(true);
}

bool RoomSettings::remove(const QString& selected)
{
    if (!mayChange(selected))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select top 1 id from cz where fjm=") + Sql::quote(selected)))
        return false;
    if (!rs.isEOF()) {
        m_prompt.warn(QStringLiteral("此房间中已经设有餐桌,不能删除！"));
        return false;
    }
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from fj where fjm=") + Sql::quote(selected));
}

bool RoomSettings::exists(const QString& name)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select id from fj where fjm=") + Sql::quote(name)) &&
           !rs.isEOF();
}

RoomSettings::Result RoomSettings::refuse(const QString& message, Input input)
{
    m_prompt.warn(message);
    return {false, message, input};
}
