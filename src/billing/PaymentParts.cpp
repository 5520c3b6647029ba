#include "PaymentParts.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Money.h"
#include "Prompt.h"
#include "Sql.h"

#include <algorithm>

namespace {

bool isFixed(const QString& name)
{
    for (const char* fixed : {"现金", "挂账", "免费", "其他", "混合"})
        if (name == QString::fromUtf8(fixed))
            return true;
    return false;
}

bool run(Database& db, const QString& statement)
{
    try {
        db.ExecuteSql(statement);
    } catch (const DbError& e) {
        db.prompt().warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return false;
    }
    return true;
}

} // namespace

QStringList PaymentParts::named(Database& db)
{
    QStringList names;
    Recordset rs;
    if (db.OpenRecordset(rs, QStringLiteral("select fsmc from fkfs order by id")))
        for (; !rs.isEOF(); rs.moveNext())
            names << rs.getString(QStringLiteral("fsmc"));
    return names;
}

QStringList PaymentParts::partMethods(Database& db)
{
    return named(db) << kOther;
}

bool PaymentParts::addMethod(Database& db, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        db.prompt().warn(QStringLiteral("请输入付款方式名称!"));
        return false;
    }
    if (isFixed(trimmed) || named(db).contains(trimmed)) {
        db.prompt().warn(QStringLiteral("付款方式“") + trimmed + QStringLiteral("”已存在!"));
        return false;
    }
    return run(db,
               QStringLiteral("insert into fkfs (fsmc) values (") + Sql::quote(trimmed) + QLatin1Char(')'));
}

bool PaymentParts::removeMethod(Database& db, const QString& name)
{
    return run(db, QStringLiteral("delete * from fkfs where fsmc=") + Sql::quote(name));
}

qint64 PaymentParts::sum(const QList<Part>& parts)
{
    qint64 total = 0;
    for (const Part& part : parts)
        total += part.cents;
    return total;
}

QList<PaymentParts::Part> PaymentParts::withCash(const QList<Part>& parts, qint64 received)
{
    QList<Part> all;
    const qint64 cash = received - sum(parts);
    if (cash > 0 || parts.isEmpty())
        all.append({kCash, cash});
    for (const Part& part : parts) {
        auto same =
            std::find_if(all.begin(), all.end(), [&part](const Part& p) { return p.method == part.method; });
        if (same != all.end())
            same->cents += part.cents;
        else
            all.append(part);
    }
    return all;
}

QString PaymentParts::storedMethod(const QList<Part>& all)
{
    return all.size() == 1 ? all.first().method : kMixed;
}

void PaymentParts::write(Database& db, const QString& bill, const QList<Part>& all)
{
    db.ExecuteSql(QStringLiteral("delete * from jzfk where zdh=") + Sql::quote(bill));
    if (all.size() < 2)
        return;
    int order = 0;
    for (const Part& part : all)
        db.ExecuteSql(QStringLiteral("insert into jzfk (zdh,xh,jzfs,je) values (") + Sql::quote(bill) +
                      QStringLiteral(",%1,").arg(++order) + Sql::quote(part.method) + QLatin1Char(',') +
                      Sql::money(part.cents / 100.0) + QLatin1Char(')'));
}

QList<PaymentParts::Part> PaymentParts::of(Database& db, const QString& bill)
{
    QList<Part> parts;
    Recordset rs;
    if (!db.OpenRecordset(rs, QStringLiteral("select jzfs,ssje from jzhz where zdh=") + Sql::quote(bill)) ||
        rs.isEOF())
        return parts;
    const QString method = rs.getString(QStringLiteral("jzfs"));
    if (method != kMixed)
        return {{method, Money::cents(rs.getDouble(QStringLiteral("ssje")))}};
    Recordset stored;
    if (db.OpenRecordset(stored, QStringLiteral("select jzfs,je from jzfk where zdh=") + Sql::quote(bill) +
                                     QStringLiteral(" order by xh")))
        for (; !stored.isEOF(); stored.moveNext())
            parts.append({stored.getString(QStringLiteral("jzfs")),
                          Money::cents(stored.getDouble(QStringLiteral("je")))});
    return parts;
}

QList<PaymentParts::Part> PaymentParts::beside(Database& db, const QString& bill)
{
    const QList<Part> all = of(db, bill);
    // A bill of cash, 挂账, 免费 or 其他 alone is paid as its payment button says.
    if (all.size() == 1 && isFixed(all.first().method))
        return {};
    QList<Part> parts;
    for (const Part& part : all)
        if (part.method != kCash)
            parts << part;
    return parts;
}

QString PaymentParts::byMethod(const QString& where)
{
    return QStringLiteral("select jzfs,dzje,ssje,xfje from jzhz where jzfs<>'混合' and ") + where +
           QStringLiteral(" union all select jzfk.jzfs as jzfs,case when jzfk.xh=1 then jzhz.dzje else 0 end "
                          "as dzje,jzfk.je as ssje,jzfk.je+case when jzfk.xh=1 then jzhz.dzje else 0 end as "
                          "xfje from jzfk inner join jzhz on jzfk.zdh=jzhz.zdh where jzhz.jzfs='混合' and ") +
           where;
}

QString PaymentParts::paidBy(const QString& quotedPattern)
{
    return QStringLiteral("(jzfs like ") + quotedPattern +
           QStringLiteral(" or zdh in (select zdh from jzfk where jzfs like ") + quotedPattern +
           QStringLiteral("))");
}

QString PaymentParts::text(const QList<Part>& parts)
{
    QStringList texts;
    for (const Part& part : parts)
        texts << part.method + QLatin1Char(' ') + Sql::money(part.cents / 100.0);
    return texts.join(QStringLiteral("，"));
}
