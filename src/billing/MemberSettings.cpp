#include "MemberSettings.h"

#include "Database.h"
#include "Prompt.h"
#include "Sql.h"

MemberSettings::MemberSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> MemberSettings::rows(const QString& search)
{
    QString statement = QStringLiteral("select * from hy,hydj where hy.hydj=hydj.id");
    if (!search.isEmpty()) {
        const QString prefix = Sql::quote(search + QLatin1Char('%'));
        statement +=
            QStringLiteral(" and (hy.xm like %1 or hy.xmpy like %1 or hy.bh like %1 or hy.kh like %1 )")
                .arg(prefix);
    }
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement + QStringLiteral(" order by hy.bh")))
        return result;
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    for (; !rs.isEOF(); rs.moveNext())
        result.append({field("bh"), field("xm"), field("xmpy"), field("xb"),
                       rs.getDateTime(QStringLiteral("sr")).toString(QStringLiteral("yyyy-MM-dd")),
                       Sql::money(rs.getDouble(QStringLiteral("xfze"))), field("phone"), field("djmc"),
                       Sql::money(rs.getDouble(QStringLiteral("zq"))), field("kh"), field("bz")});
    return result;
}

MemberSettings::Member MemberSettings::read(int number)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from hy where bh=%1").arg(number)) || rs.isEOF())
        return {};
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    return {field("xm"),    field("xmpy"),
            field("xb"),    rs.getDateTime(QStringLiteral("sr")).date(),
            field("phone"), rs.getInt(QStringLiteral("hydj")),
            field("kh"),    field("bz")};
}

bool MemberSettings::mayChange(int selected)
{
    if (selected > 0)
        return true;
    m_prompt.warn(QStringLiteral("请选定要修改的会员!"));
    return false;
}

MemberSettings::Result MemberSettings::add(const Member& member)
{
    return save(0, member);
}

MemberSettings::Result MemberSettings::change(int number, const Member& member)
{
    return save(number, member);
}

MemberSettings::Result MemberSettings::save(int number, const Member& member)
{
    if (member.name.isEmpty())
        return refuse(QStringLiteral("会员姓名不能为空!"), Input::Name);
    // The lists join members to their level: a member without one would vanish from them.
    if (member.level <= 0)
        return refuse(QStringLiteral("会员等级不能为空!"), Input::Level);
    const QString birthday =
        member.birthday.isValid() ? Sql::dateLiteral(member.birthday) : QStringLiteral("null");
    const QString statement =
        number > 0
            ? QStringLiteral(
                  "Update hy set xm=%1, xmpy=%2,xb=%3,sr=%4,phone=%5,hydj=%6,kh=%7,bz=%8 where BH=%9")
                  .arg(Sql::quote(member.name), Sql::quote(member.initials), Sql::quote(member.sex), birthday,
                       Sql::quote(member.phone), QString::number(member.level), Sql::quote(member.card),
                       Sql::quote(member.note), QString::number(number))
            : QStringLiteral("insert into hy(xm,xmpy,xb,sr,phone,hydj,kh,bz) values(%1,%2,%3,%4,%5,%6,%7,%8)")
                  .arg(Sql::quote(member.name), Sql::quote(member.initials), Sql::quote(member.sex), birthday,
                       Sql::quote(member.phone), QString::number(member.level), Sql::quote(member.card),
                       Sql::quote(member.note));
    Recordset rs;
    return Result::of(m_db.OpenRecordset(rs, statement));
}

bool MemberSettings::remove(int selected)
{
    if (selected <= 0) {
        m_prompt.warn(QStringLiteral("请选定要删除的会员!"));
        return false;
    }
    if (!m_prompt.ask(QStringLiteral("是否真的要删除此会员!")))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select top 1 zdh from jzhz where hybh=%1").arg(selected)))
        return false;
    if (!rs.isEOF()) {
        m_prompt.warn(QStringLiteral("此会员已经产生消费，不能删除!"));
        return false;
    }
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from hy where bh=%1").arg(selected));
}

MemberSettings::Result MemberSettings::refuse(const QString& message, Input input)
{
    m_prompt.warn(message);
    return {false, message, input};
}
