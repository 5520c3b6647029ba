#include "MemberLevelSettings.h"

#include "Database.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

MemberLevelSettings::MemberLevelSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> MemberLevelSettings::rows()
{
    QList<QStringList> result;
    for (const Level& level : levels())
        result.append({QString::number(level.id), level.name, level.ratio});
    return result;
}

QList<MemberLevelSettings::Level> MemberLevelSettings::levels()
{
    QList<Level> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from hydj order by id")))
        return result;
    for (; !rs.isEOF(); rs.moveNext())
        result.append({rs.getInt(QStringLiteral("id")), rs.getString(QStringLiteral("djmc")),
                       Sql::money(rs.getDouble(QStringLiteral("zq")))});
    return result;
}

bool MemberLevelSettings::mayChange(int selected)
{
    if (selected > 0)
        return true;
    m_prompt.warn(QStringLiteral("请选定要修改的会员等级!"));
    return false;
}

MemberLevelSettings::Result MemberLevelSettings::add(const QString& name, const QString& ratio)
{
    return save(0, name, ratio);
}

MemberLevelSettings::Result MemberLevelSettings::change(int id, const QString& name, const QString& ratio)
{
    return save(id, name, ratio);
}

MemberLevelSettings::Result MemberLevelSettings::save(int id, const QString& name, const QString& ratio)
{
    Result refusal;
    // The ratio is judged as it is stored, to two decimals; a text that is no number is refused.
    const std::optional<double> typed = Field::parseNumber(ratio);
    const qint64 percent = typed ? qRound64(*typed * 100) : 0;
    if (name.isEmpty())
        refusal = {false, QStringLiteral("名称不能为空!"), Input::Name};
    else if (percent <= 0 || percent > 100)
        refusal = {false, QStringLiteral("折扣非法,大于0并且小于等于1!"), Input::Ratio};
    if (!refusal.message.isEmpty()) {
        m_prompt.warn(refusal.message);
        return refusal;
    }
    const QString stored = Sql::money(percent / 100.0);
    const QString statement =
        id > 0 ? QStringLiteral("update hydj set djmc=%1,zq=%2 where id=%3")
                     .arg(Sql::quote(name), stored, QString::number(id))
               : QStringLiteral("insert into hydj(djmc,zq) values(%1,%2)").arg(Sql::quote(name), stored);
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return {};
    m_prompt.info(QStringLiteral("更新成功!"));
    return Result::of(true);
}

bool MemberLevelSettings::remove(int selected)
{
    if (selected <= 0) {
        m_prompt.warn(QStringLiteral("请选定要删除的会员等级!"));
        return false;
    }
    // "not in" over a null finds nothing, so members without a level must not block every delete.
    Recordset rs;
    if (!m_db.OpenRecordset(
            rs, QStringLiteral("delete * from hydj where id=%1 and id not in (select hydj from hy "
                               "where hydj is not null group by hydj)")
                    .arg(selected)))
        return false;
    m_prompt.info(QStringLiteral("删除成功，已经使用的等级不会被删除!"));
    return m_db.OpenRecordset(rs, QStringLiteral("select id from hydj where id=%1").arg(selected)) &&
           rs.isEOF();
}
