#include "DayTotals.h"

#include "Database.h"
#include "Sql.h"

namespace {

// The day a time names, and whether the time lies within that day (in text order, as every range
// of the reports compares): '2026-12-06 12:00:00' does; '2026-12-06', '2026-12-06T12:00' or null
// do not.
QString day(const QString& time)
{
    return QStringLiteral("substr(%1,1,10)").arg(time);
}

QString withinItsDay(const QString& time)
{
    return QStringLiteral("%1 between %2||' 00:00:00' and %2||' 23:59:59'").arg(time, day(time));
}

// A key column may hold null, which no primary key takes: the empty blob stands for it.
QString key(const QString& value)
{
    return QStringLiteral("coalesce(%1,x'')").arg(value);
}

QString unkey(const QString& column)
{
    return QStringLiteral("nullif(%1,x'')").arg(column);
}

// One table of day totals: its key columns and, for a line `l` (and a visit `v`), what gives them.

struct Totals
{
    QString table;
    QStringList keys;
    QStringList values; // of the keys, in the same order
};

const QString kSums = QStringLiteral("sl,dzje,ysje");

Totals perItem(const QString& line)
{
    return {QStringLiteral("xfrhz"),
            {QStringLiteral("rq"), QStringLiteral("xfxm"), QStringLiteral("jzbj")},
            {day(line + QStringLiteral(".xfsj")), line + QStringLiteral(".xfxm"),
             QStringLiteral("case when %1.jzbj='1' then '1' else '0' end").arg(line)}};
}

Totals perWaiter(const QString& line, const QString& visit)
{
    return {QStringLiteral("fwsrhz"),
            {QStringLiteral("rq"), QStringLiteral("fws"), QStringLiteral("xfxm")},
            {day(line + QStringLiteral(".xfsj")), key(visit + QStringLiteral(".fws")),
             key(line + QStringLiteral(".xfxm"))}};
}

// The statements that add the lines `from` yields to their totals (sign "") or take them away
// (sign "-").
QString change(const Totals& t, const QString& line, const QString& from, const QString& sign,
               Backend backend = Backend::SQLite)
{
    QStringList selected = t.values;
    selected << sign + QStringLiteral("1");
    for (const QString& sum : kSums.split(QLatin1Char(',')))
        selected << sign + DayTotals::tenThousandths(line + QLatin1Char('.') + sum);
    // The server wants the table's own columns named as such beside those of excluded.
    const QString own = backend == Backend::PostgreSQL ? t.table + QLatin1Char('.') : QString();
    QStringList updates{QStringLiteral("ts=%1ts+excluded.ts").arg(own)};
    for (const QString& sum : kSums.split(QLatin1Char(',')))
        updates << QStringLiteral("%1=%2%1+excluded.%1").arg(sum, own);
    const QString keys = t.keys.join(QLatin1Char(','));
    QString source = from;
    if (backend == Backend::PostgreSQL) {
        // The server's upsert takes each key once: lines of one key (a visit's) are summed first.
        for (qsizetype i = t.keys.size(); i < selected.size(); ++i)
            selected[i] = QStringLiteral("sum(%1)").arg(selected.at(i));
        QStringList positions;
        for (qsizetype i = 1; i <= t.keys.size(); ++i)
            positions << QString::number(i);
        source += QStringLiteral(" group by ") + positions.join(QLatin1Char(','));
    }
    QString statements =
        QStringLiteral("insert into %1(%2,ts,%3) select %4 %5 on conflict(%2) do update set %6;")
            .arg(t.table, keys, kSums, selected.join(QLatin1Char(',')), source, updates.join(QLatin1Char(',')));
    // Rows left without lines go: each key column among its values, so that the primary key finds
    // them (any row of no line may go).
    // On the server, whose keys hold null, through the whole key, null matching null.
    if (!sign.isEmpty() && backend == Backend::PostgreSQL) {
        statements += QStringLiteral(" delete from %1 where %2 in (select %3 %4) and ts=0 and exists (select 1 %4")
                          .arg(t.table, t.keys.at(0), t.values.at(0), from);
        for (int i = 0; i < t.keys.size(); ++i)
            statements +=
                QStringLiteral(" and %1.%2 is not distinct from %3").arg(t.table, t.keys.at(i), t.values.at(i));
        statements += QStringLiteral(");");
    } else if (!sign.isEmpty()) {
        statements += QStringLiteral(" delete from %1 where ts=0").arg(t.table);
        for (int i = 0; i < t.keys.size(); ++i)
            statements += QStringLiteral(" and %1 in (select %2 %3)").arg(t.keys.at(i), t.values.at(i), from);
        statements += QLatin1Char(';');
    }
    return statements;
}

const QString kCreateTrigger = QStringLiteral("create trigger if not exists ");
const QString kCreateFunction = QStringLiteral("create or replace function ");

QString trigger(const QString& name, const QString& event, const QString& when, const QString& body,
                Backend backend = Backend::SQLite)
{
    if (backend == Backend::SQLite)
        return kCreateTrigger + QStringLiteral("%1 after %2 when %3 begin %4 end").arg(name, event, when, body);
    // The server's triggers call a function (PL/pgSQL) of the same name.
    return kCreateFunction + QStringLiteral("%1() returns trigger language plpgsql as $$ begin if %3 then %4 "
                                            "end if; return null; end $$; create or replace trigger %1 after %2 "
                                            "for each row execute function %1()")
                                 .arg(name, event, when, body);
}

// A line counts in its day's totals when its time lies within that day; the item totals also
// want an item (the reports join lines to items), the waiter totals a bill.
QString itemCounted(const QString& line)
{
    return line + QStringLiteral(".xfxm is not null and ") + withinItsDay(line + QStringLiteral(".xfsj"));
}

QString billCounted(const QString& line)
{
    return line + QStringLiteral(".jzzdh is not null and ") + withinItsDay(line + QStringLiteral(".xfsj"));
}

// The visits a line was served in: those of its bill and table.
QString visitsOf(const QString& line)
{
    return QStringLiteral("from dj where dj.jzdh=%1.jzzdh and dj.czm=%1.czm").arg(line);
}

// The lines a visit served.
QString linesOf(const QString& visit)
{
    return QStringLiteral("from xfmx where xfmx.jzzdh=%1.jzdh and xfmx.czm=%1.czm and ").arg(visit) +
           withinItsDay(QStringLiteral("xfmx.xfsj"));
}

QString range(const QDate& first, const QDate& last)
{
    // From the dates' text: a day whose local midnight does not exist still begins at 00:00:00.
    return Sql::quote(first.toString(Qt::ISODate) + QStringLiteral(" 00:00:00")) + QStringLiteral(" and ") +
           Sql::quote(last.toString(Qt::ISODate) + QStringLiteral(" 23:59:59"));
}

QString days(const QDate& first, const QDate& last)
{
    return QStringLiteral("rq between ") + Sql::quote(first.toString(Qt::ISODate)) + QStringLiteral(" and ") +
           Sql::quote(last.toString(Qt::ISODate));
}

// The lines of a range whose time names no day, found through their own index (named, lest a
// condition of the statement around lead to another one).
const QString kOddLinesIndex = QStringLiteral("xfmx_xfsj_odd");

QString oddLines(const QDate& first, const QDate& last)
{
    return QStringLiteral("xfmx.xfsj between ") + range(first, last) + QStringLiteral(" and not (") +
           withinItsDay(QStringLiteral("xfmx.xfsj")) + QLatin1Char(')');
}

} // namespace

QString DayTotals::tenThousandths(const QString& amount)
{
    return QStringLiteral("cast(round(coalesce(%1,0)*10000) as integer)").arg(amount);
}

QStringList DayTotals::schema(Backend backend)
{
    const QString lineChanges = QStringLiteral("update of xfxm,xfsj,jzbj,jzzdh,czm,sl,dzje,ysje on xfmx");
    const QString visitChanges = QStringLiteral("update of jzdh,czm,fws on dj");
    const QString item = QStringLiteral("xfrhz_");
    const QString waiter = QStringLiteral("fwsrhz_");
    QStringList statements{
        QStringLiteral(
            "create table if not exists xfrhz (rq text not null, xfxm text not null, jzbj text not null, "
            "ts integer not null, sl integer, dzje integer, ysje integer, primary key (rq,xfxm,jzbj)) "
            "without rowid"),
        QStringLiteral(
            "create table if not exists fwsrhz (rq text not null, fws integer not null, xfxm text not null, "
            "ts integer not null, sl integer, dzje integer, ysje integer, primary key (rq,fws,xfxm)) "
            "without rowid"),
        QStringLiteral("create index if not exists %1 on xfmx (xfsj) where not (").arg(kOddLinesIndex) +
            withinItsDay(QStringLiteral("xfsj")) + QLatin1Char(')'),
    };
    if (backend == Backend::PostgreSQL) {
        // The server's keys hold null as it is, telling it apart from every value as the file's
        // empty blob does.
        statements[1].replace(QStringLiteral("fws integer not null, xfxm text not null"), QStringLiteral("fws integer, xfxm text"))
            .replace(QStringLiteral(", primary key (rq,fws,xfxm)"), QString());
        statements.insert(2, QStringLiteral("create unique index if not exists fwsrhz_key on fwsrhz (rq,fws,xfxm) "
                                            "nulls not distinct"));
    }
    for (const QString& row : {QStringLiteral("new"), QStringLiteral("old")}) {
        const QString sign = row == QLatin1String("new") ? QString() : QStringLiteral("-");
        const QString event =
            row == QLatin1String("new") ? QStringLiteral("insert") : QStringLiteral("delete");
        statements << trigger(item + event, event + QStringLiteral(" on xfmx"), itemCounted(row),
                              change(perItem(row), row, QStringLiteral("where true"), sign, backend), backend)
                   << trigger(item + row, lineChanges, itemCounted(row),
                              change(perItem(row), row, QStringLiteral("where true"), sign, backend), backend)
                   << trigger(waiter + event, event + QStringLiteral(" on xfmx"), billCounted(row),
                              change(perWaiter(row, QStringLiteral("dj")), row, visitsOf(row), sign, backend), backend)
                   << trigger(waiter + row, lineChanges, billCounted(row),
                              change(perWaiter(row, QStringLiteral("dj")), row, visitsOf(row), sign, backend), backend)
                   << trigger(waiter + QStringLiteral("visit_") + event, event + QStringLiteral(" on dj"),
                              row + QStringLiteral(".jzdh is not null"),
                              change(perWaiter(QStringLiteral("xfmx"), row), QStringLiteral("xfmx"),
                                     linesOf(row), sign, backend), backend)
                   << trigger(waiter + QStringLiteral("visit_") + row, visitChanges,
                              row + QStringLiteral(".jzdh is not null"),
                              change(perWaiter(QStringLiteral("xfmx"), row), QStringLiteral("xfmx"),
                                     linesOf(row), sign, backend), backend);
    }
    // The totals of the lines already there (afresh, should the file have had them).
    const Totals items = perItem(QStringLiteral("xfmx"));
    const Totals waiters = perWaiter(QStringLiteral("xfmx"), QStringLiteral("dj"));
    const QString sums = QStringLiteral("count(*),sum(%1),sum(%2),sum(%3)")
                             .arg(tenThousandths(QStringLiteral("xfmx.sl")), tenThousandths(QStringLiteral("xfmx.dzje")),
                                  tenThousandths(QStringLiteral("xfmx.ysje")));
    statements << QStringLiteral("delete from xfrhz") << QStringLiteral("delete from fwsrhz")
               << QStringLiteral("insert into xfrhz select %1,%2 from xfmx where %3 group by 1,2,3")
                      .arg(items.values.join(QLatin1Char(',')), sums, itemCounted(QStringLiteral("xfmx")))
               << QStringLiteral("insert into fwsrhz select %1,%2 from xfmx,dj where dj.jzdh=xfmx.jzzdh and "
                                 "dj.czm=xfmx.czm and %3 group by 1,2,3")
                      .arg(waiters.values.join(QLatin1Char(',')), sums,
                           withinItsDay(QStringLiteral("xfmx.xfsj")));
    return statements;
}

QStringList DayTotals::withoutTriggers(Backend backend)
{
    QStringList drops;
    for (const QString& statement : schema(backend))
        if (statement.startsWith(kCreateFunction))
            drops << QStringLiteral("drop function if exists %1() cascade")
                         .arg(statement.mid(kCreateFunction.size()).section(QLatin1Char('('), 0, 0));
        else if (statement.startsWith(kCreateTrigger))
            drops << QStringLiteral("drop trigger if exists ") +
                         statement.mid(kCreateTrigger.size()).section(QLatin1Char(' '), 0, 0);
    return drops;
}

QStringList DayTotals::schema(const Database& db)
{
    return schema(db.backend());
}

QStringList DayTotals::withoutTriggers(const Database& db)
{
    return withoutTriggers(db.backend());
}

QString DayTotals::lines(const QDate& first, const QDate& last, bool settledOnly)
{
    // Summed per item at once: the reports join items to what is left.
    const QString settled = settledOnly ? QStringLiteral(" and jzbj='1'") : QString();
    return QStringLiteral("(select xfxm,sum(sl) as sl,sum(dzje) as dzje,sum(ysje) as ysje from (select "
                          "xfxm,sl,dzje,ysje from xfrhz where ") +
           days(first, last) + settled +
           QStringLiteral(" union all select xfxm,%2,%3,%4 from xfmx indexed by %1 where ")
               .arg(kOddLinesIndex, tenThousandths(QStringLiteral("sl")), tenThousandths(QStringLiteral("dzje")),
                    tenThousandths(QStringLiteral("ysje"))) +
           oddLines(first, last) + settled + QStringLiteral(") group by xfxm)");
}

QString DayTotals::servedLines(const QDate& first, const QDate& last)
{
    return QStringLiteral("(select %1 as fws,%2 as xfxm,sl,dzje,ysje from fwsrhz where ")
               .arg(unkey(QStringLiteral("fws")), unkey(QStringLiteral("xfxm"))) +
           days(first, last) +
           QStringLiteral(
               " union all select dj.fws,xfmx.xfxm,%2,%3,%4 from xfmx indexed by %1,dj "
               "where xfmx.jzzdh=dj.jzdh and dj.czm=xfmx.czm and ")
               .arg(kOddLinesIndex, tenThousandths(QStringLiteral("xfmx.sl")),
                    tenThousandths(QStringLiteral("xfmx.dzje")), tenThousandths(QStringLiteral("xfmx.ysje"))) +
           oddLines(first, last) + QLatin1Char(')');
}
