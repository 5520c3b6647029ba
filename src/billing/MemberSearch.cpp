#include "MemberSearch.h"

#include "Database.h"
#include "Field.h"
#include "Sql.h"

MemberSearch::MemberSearch(Database& db) : m_db(db) {}

QString MemberSearch::clean(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char(' '));
    out.remove(QLatin1Char('\''));
    return out;
}

QList<MemberSearch::Member> MemberSearch::search(const QString& text)
{
    const QString cleaned = clean(text);
    if (cleaned.isEmpty())
        return {};
    const QString pattern = Sql::quote(cleaned + QLatin1Char('%'));
    return list(QStringLiteral(" and (hy.xmpy like ") + pattern + QStringLiteral(" or hy.bh like ") +
                pattern + QStringLiteral(" or hy.xm like ") + pattern + QStringLiteral(" or hy.kh like ") +
                pattern + QStringLiteral(")"));
}

QList<MemberSearch::Member> MemberSearch::all()
{
    return list(QString());
}

std::optional<MemberSearch::Member> MemberSearch::find(const QString& number)
{
    const QList<Member> found = list(QStringLiteral(" and hy.bh=%1").arg(Field::toInt(number)));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<MemberSearch::Member> MemberSearch::list(const QString& condition)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from hy,hydj where hy.hydj=hydj.id") + condition))
        return {};
    QList<Member> members;
    for (; !rs.isEOF(); rs.moveNext())
        members.append({rs.getString(QStringLiteral("bh")), rs.getString(QStringLiteral("xm")),
                        rs.getString(QStringLiteral("xb")), rs.getString(QStringLiteral("djmc")),
                        Sql::money(rs.getDouble(QStringLiteral("zq"))), rs.getString(QStringLiteral("kh"))});
    return members;
}
