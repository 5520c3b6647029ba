#include "WaiterSettings.h"

#include "Database.h"
#include "PinyinInitials.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

// An unset birth date is stored as null rather than as an impossible literal.
QString dateValue(const QDate& date)
{
    return date.isValid() ? Sql::dateLiteral(date) : QStringLiteral("null");
}

} // namespace

WaiterSettings::WaiterSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> WaiterSettings::rows()
{
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fws")))
        return result;
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    for (; !rs.isEOF(); rs.moveNext())
        result.append({field("id"), field("xm"), field("jp"), field("xb"), field("lxfs"), field("sfz"),
                       rs.getDateTime(QStringLiteral("csrq")).toString(QStringLiteral("yyyy-MM-dd"))});
    return result;
}

WaiterSettings::Waiter WaiterSettings::read(int id)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from fws where id=%1").arg(id)) || rs.isEOF())
        return {};
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    return {field("xm"), field("xb"), rs.getDateTime(QStringLiteral("csrq")).date(), field("lxfs"),
            field("sfz")};
}

bool WaiterSettings::mayChange(int selected)
{
    if (selected > 0)
        return true;
    m_prompt.warn(QStringLiteral("请选定要修改的服务生!"));
    return false;
}

WaiterSettings::Result WaiterSettings::add(const Waiter& waiter)
{
    return save(0, waiter);
}

WaiterSettings::Result WaiterSettings::change(int id, const Waiter& waiter)
{
    return save(id, waiter);
}

WaiterSettings::Result WaiterSettings::save(int id, const Waiter& waiter)
{
    if (waiter.name.isEmpty()) {
        const QString message = QStringLiteral("服务生姓名不能为空!");
        m_prompt.warn(message);
        return {false, message, Input::Name};
    }
    const QString name = Sql::quote(waiter.name);
    const QString initials = Sql::quote(GetPinyinInitials(waiter.name));
    const QString statement =
        id > 0 ? QStringLiteral("Update fws set xm=%1,jp=%2,csrq=%3,lxfs=%4,sfz=%5,xb=%6 where id=%7")
                     .arg(name, initials, dateValue(waiter.birthDate), Sql::quote(waiter.contact),
                          Sql::quote(waiter.idCard), Sql::quote(waiter.sex), QString::number(id))
               : QStringLiteral("insert into fws(xm,jp,xb,csrq,lxfs,sfz) values(%1,%2,%3,%4,%5,%6)")
                     .arg(name, initials, Sql::quote(waiter.sex), dateValue(waiter.birthDate),
                          Sql::quote(waiter.contact), Sql::quote(waiter.idCard));
    Recordset rs;
    return Result::of(m_db.OpenRecordset(rs, statement));
}

bool WaiterSettings::remove(int selected)
{
    if (selected <= 0 || !m_prompt.ask(QStringLiteral("你真的要删除此服务生吗，删除后不可恢复?")))
        return false;
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from fws where ID=%1").arg(selected));
}
