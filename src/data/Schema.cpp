#include "Schema.h"

#include "Database.h"
#include "DayTotals.h"
#include "DbError.h"

#include <QStringList>

namespace {

const char* const kNow = "(datetime('now','localtime'))";

// Version 1: every table of the restaurant, its unique keys, the indexes of the busiest
// statements, and the first rows of a new restaurant.
QStringList version1()
{
    const QString now = QLatin1String(kNow);
    QStringList rights;
    for (const char* r : {"kdqx", "ddqx", "jzqx", "gzjzqx", "ydqx", "xgzdqx", "fjqx", "czqx", "xmlbqx", "xmqx",
                          "czyqx", "fwsqx", "hyqx", "symxqx", "syhzqx", "xstjqx", "tdcxqx", "zdcxqx",
                          "ldxfcxqx", "sjqlqx", "sjhyqx"})
        rights << QLatin1String(r);

    return {
        QStringLiteral("create table fj (id integer primary key autoincrement, fjm text not null unique, "
                       "csfy text default '')"),
        QStringLiteral("create table cz (id integer primary key autoincrement, czm text not null unique, "
                       "zzws integer, fjm text, zyzt text default '空闲', xfhj real default 0, "
                       "jdsj text default '', yysj text default '', yzrs text default '', bz text default '', "
                       "gkxm text default '', gkdh text default '', gksj text default '')"),
        QStringLiteral("create table dj (djbh text not null unique, czm text, fjm text, rs integer, xfzt text, "
                       "zdbh text, zdbj text, bz text default '', fws integer default 0, xfhj real default 0, "
                       "jdsj text default %1, ldsj text, jzdh text)")
            .arg(now),
        QStringLiteral("create table xfmx (xfbh integer primary key autoincrement, czm text, xfxm text, "
                       "sl real default 0, xmdj real default 0, dzbl real default 1, dzje real default 0, "
                       "ysje real default 0, jzr text, xfsj text default %1, jzbj text default '0', "
                       "jzzdh text, hybh integer default 0, tdbj text default '', tdsl real default 0, "
                       "tdbz text default '', sfdy text default '0', bz text default '')")
            .arg(now),
        QStringLiteral("create table jzhz (zdh text not null unique, czm text, xfje real default 0, "
                       "dzje real default 0, ssje real default 0, hybh integer default 0, jzfs text, jzr text, "
                       "jzsj text default %1, jzrq text default (date('now','localtime')), bz text default '')")
            .arg(now),
        QStringLiteral("create table xm (xmbh integer not null unique check (xmbh<>0), "
                       "xmm text not null unique, xmpy text default '', dj real default 0, dw text default '', "
                       "lbm text, sfdz text default '1', jhdj real default 0, ckcb real default 0, "
                       "kcsp text default '0', dqkc real default 0, nfxs text default '1')"),
        QStringLiteral("create table lb (id integer primary key autoincrement, lbm text not null unique, "
                       "sfdz text default '1', dyjmc text default '', dybt text default '', "
                       "dyfs text default '1', dyqz text default '0', qskh text default '0', "
                       "jskh text default '0')"),
        QStringLiteral("create table hy (bh integer primary key autoincrement, xm text not null, "
                       "xmpy text default '', xb text default '', sr text, phone text default '', hydj integer, "
                       "kh text default '', bz text default '', xfze real default 0)"),
        QStringLiteral("create table hydj (id integer primary key autoincrement, djmc text not null, zq real)"),
        QStringLiteral("create table [user] (xm text not null unique, mm text default '', dh text default '', "
                       "dzbl real default 1, %1, zdmlje real default 0, bz text default '')")
            .arg(rights.join(QStringLiteral(" text default '0', ")) + QStringLiteral(" text default '0'")),
        QStringLiteral("create table fws (id integer primary key autoincrement, xm text, jp text default '', "
                       "xb text default '', csrq text, lxfs text default '', sfz text default '')"),
        QStringLiteral("create table yd (id integer primary key autoincrement, ydbh text, khxm text, sjhm text, "
                       "lxdh text, fjmc text, czmc text, zt text default '已订', ydsj text, qxsj text, yj text, "
                       "bz text, czy text, yybcbh integer)"),
        QStringLiteral("create table yybc (yybcbh integer primary key autoincrement, bcmc text, qssj text, "
                       "jssj text)"),
        QStringLiteral("create table zcsr (xmm text, je real default 0, jbr text default '', bz text default '', "
                       "sfzc text default '0', fssj text, djsj text default %1)")
            .arg(now),
        QStringLiteral("create table dysz (jzdy text default '0', dyjmc text default '', bt1 text default '', "
                       "bt2 text default '', yj1 text default '', yj2 text default '', yjkh text default '0', "
                       "cfdy text default '1')"),
        QStringLiteral("create table gs (gsmc text, lxdh text default '', dz text default '')"),
        QStringLiteral("create table log (logid integer primary key autoincrement, log text, "
                       "date text default %1)")
            .arg(now),

        QStringLiteral("create index xfmx_czm_jzbj on xfmx (czm, jzbj)"),
        QStringLiteral("create index xfmx_jzzdh on xfmx (jzzdh)"),
        QStringLiteral("create index xfmx_xfsj on xfmx (xfsj)"),
        QStringLiteral("create index dj_czm_xfzt on dj (czm, xfzt)"),
        QStringLiteral("create index dj_zdbh on dj (zdbh)"),
        QStringLiteral("create index dj_jzdh on dj (jzdh)"),
        QStringLiteral("create index jzhz_jzrq on jzhz (jzrq)"),
        QStringLiteral("create index jzhz_jzsj on jzhz (jzsj)"),
        QStringLiteral("create index yd_czmc_zt on yd (czmc, zt)"),
        QStringLiteral("create index yd_ydbh on yd (ydbh)"),

        QStringLiteral("insert into gs (gsmc, lxdh, dz) values ('我的餐厅', '', '')"),
        QStringLiteral("insert into dysz (jzdy, dyjmc, bt1, bt2, yj1, yj2, yjkh, cfdy) "
                       "values ('0', '', '我的餐厅', '', '谢谢惠顾，欢迎再次光临！', '', '3', '1')"),
        QStringLiteral("insert into [user] (xm, mm, dh, dzbl, %1, zdmlje, bz) "
                       "values ('系统管理员', '', '', 0.00, %2, 100.00, '')")
            .arg(rights.join(QStringLiteral(", ")), QStringList(rights.size(), QStringLiteral("'1'")).join(QStringLiteral(", "))),
    };
}

// Version 2: indexes for the checks that look through history (a dish or a member still in use,
// a shift with reservations, the in-store and on-account lists).
QStringList version2()
{
    return {
        QStringLiteral("create index xfmx_xfxm on xfmx (xfxm)"),
        QStringLiteral("create index jzhz_hybh on jzhz (hybh)"),
        QStringLiteral("create index jzhz_jzfs on jzhz (jzfs)"),
        QStringLiteral("create index dj_xfzt on dj (xfzt)"),
        QStringLiteral("create index yd_yybcbh on yd (yybcbh)"),
    };
}

// Version 3: indexes for the registration query and the finance statement, which select by the
// time a visit arrived and the time an income or expense arose.
QStringList version3()
{
    return {
        QStringLiteral("create index if not exists dj_jdsj on dj (jdsj)"),
        QStringLiteral("create index if not exists zcsr_fssj on zcsr (fssj)"),
    };
}

// Version 4: indexes that lead the board's look for each free table's reservation straight to that
// table's booked rows of the shift, and the takings of a period in cash or 其他 to those bills of
// the period (not to every such bill ever written). (Version 4 also brought the day totals, in
// binary fractions; version 6 builds them.)
QStringList version4()
{
    return {QStringLiteral("create index if not exists yd_czmc_zt_yybcbh on yd (czmc, zt, yybcbh)"),
            QStringLiteral("create index if not exists jzhz_jzfs_jzsj on jzhz (jzfs, jzsj)")};
}

// Version 5: every bill number ever given, kept when its bill goes (settled from on account,
// deleted), so that no number is given twice; the unique key refuses a bill under a number given
// before. An older file lost the numbers of its deleted bills, except those its run log names.
QStringList version5(Backend backend)
{
    const bool server = backend == Backend::PostgreSQL;
    return {
        QStringLiteral("create table if not exists yyzdh (zdh text primary key)"),
        QStringLiteral("insert or ignore into yyzdh (zdh) select zdh from jzhz"),
        QStringLiteral("insert or ignore into yyzdh (zdh) select trim(substr(log, %1(log, '删除账单:') + 5)) "
                       "from log where log like '%删除账单:%'")
            .arg(server ? QStringLiteral("strpos") : QStringLiteral("instr")),
        server ? QStringLiteral("create or replace function jzhz_yyzdh() returns trigger language plpgsql as $$ "
                                "begin insert into yyzdh (zdh) values (new.zdh); return null; end $$; "
                                "create or replace trigger jzhz_yyzdh after insert on jzhz for each row "
                                "execute function jzhz_yyzdh()")
               : QStringLiteral("create trigger if not exists jzhz_yyzdh after insert on jzhz begin "
                                "insert into yyzdh (zdh) values (new.zdh); end"),
    };
}

// Version 6: the day totals of the lines, in whole ten-thousandths (those of version 4 go).
QStringList version6(Backend backend)
{
    return DayTotals::withoutTriggers(backend)
           << QStringLiteral("drop table if exists xfrhz") << QStringLiteral("drop table if exists fwsrhz")
           << DayTotals::schema(backend);
}

// Version 7: the payment methods the restaurant names beside cash, and the parts of a bill paid
// by several methods (a bill's parts go with it); the record of changes to settled bills; the
// hand-over slips.
QStringList version7(Backend backend)
{
    return {
        QStringLiteral("create table if not exists fkfs (id integer primary key autoincrement, "
                       "fsmc text not null unique)"),
        QStringLiteral("insert or ignore into fkfs (fsmc) values ('银行卡')"),
        QStringLiteral("insert or ignore into fkfs (fsmc) values ('微信')"),
        QStringLiteral("insert or ignore into fkfs (fsmc) values ('支付宝')"),
        QStringLiteral(
            "create table if not exists jzfk (id integer primary key autoincrement, zdh text not null, "
            "xh integer not null, jzfs text not null, je real default 0)"),
        QStringLiteral("create index if not exists jzfk_zdh on jzfk (zdh)"),
        QStringLiteral("create index if not exists jzfk_jzfs on jzfk (jzfs)"),
        backend == Backend::PostgreSQL
            ? QStringLiteral("create or replace function jzhz_jzfk() returns trigger language plpgsql as $$ "
                             "begin delete from jzfk where zdh=old.zdh; return null; end $$; "
                             "create or replace trigger jzhz_jzfk after delete on jzhz for each row "
                             "execute function jzhz_jzfk()")
            : QStringLiteral("create trigger if not exists jzhz_jzfk after delete on jzhz begin "
                             "delete from jzfk where zdh=old.zdh; end"),
        // Changes to settled bills: who, when and why, and the bill before (and after) each.
        QStringLiteral(
            "create table if not exists zdxg (id integer primary key autoincrement, zdh text not null, "
            "czlx text, czr text, czsj text default %1, yy text default '')")
            .arg(QLatin1String(kNow)),
        QStringLiteral(
            "create table if not exists zdxgzd (xgid integer not null, bb text not null, czm text, "
            "xfje real default 0, dzje real default 0, ssje real default 0, hybh integer default 0, "
            "jzfs text, fk text default '', jzr text, jzsj text, bz text default '')"),
        QStringLiteral(
            "create table if not exists zdxgmx (id integer primary key autoincrement, xgid integer not "
            "null, bb text not null, czm text, xfxm text, sl real default 0, xmdj real default 0, "
            "dzbl real default 1, ysje real default 0, tdbj text default '', tdbz text default '')"),
        QStringLiteral("create index if not exists zdxg_czsj on zdxg (czsj)"),
        QStringLiteral("create index if not exists zdxgzd_xgid on zdxgzd (xgid)"),
        QStringLiteral("create index if not exists zdxgmx_xgid on zdxgmx (xgid)"),
        // The hand-over slips, with the text printed.
        QStringLiteral(
            "create table if not exists jbjl (id integer primary key autoincrement, czy text, kssj text, "
            "jssj text, zds integer default 0, ssje real default 0, xjje real default 0, "
            "sdxj real default 0, nr text default '')"),
        QStringLiteral("create index if not exists jbjl_jssj on jbjl (jssj)"),
    };
}

bool onServer(const Database& db)
{
    return db.backend() == Backend::PostgreSQL;
}

int tableCount(Database& db)
{
    // Reading the catalogue fails at once on a file that is not a database at all.
    Recordset tables = db.query(onServer(db) ? QStringLiteral("select count(*) from information_schema.tables "
                                                              "where table_schema=current_schema()")
                                             : QStringLiteral("select count(*) from sqlite_master"));
    return tables.value(0).toInt();
}

int userVersion(Database& db)
{
    if (onServer(db)) {
        Recordset exists = db.query(QStringLiteral("select to_regclass('pelvar_version') is not null"));
        if (!exists.value(0).toBool())
            return 0;
    }
    Recordset rs = db.query(onServer(db) ? QStringLiteral("select max(version) from pelvar_version")
                                         : QStringLiteral("pragma user_version"));
    return rs.isEOF() ? 0 : rs.value(0).toInt();
}

QString setVersion(const Database& db, int version)
{
    if (!onServer(db))
        return QStringLiteral("pragma user_version = %1").arg(version);
    return QStringLiteral("create table if not exists pelvar_version (version integer not null); "
                          "delete from pelvar_version; insert into pelvar_version values (%1)")
        .arg(version);
}

} // namespace

bool Schema::prepare(Database& db)
{
    const int tables = tableCount(db);
    const int version = userVersion(db);

    if (version > kVersion)
        throw DbError(QStringLiteral("数据库文件的版本(%1)高于本程序所支持的版本(%2)").arg(version).arg(kVersion));
    if (version == 0 && tables > 0)
        throw DbError(QStringLiteral("该文件不是本系统的数据库文件"));

    if (version < kVersion) {
        Transaction transaction(db);
        if (version < 1)
            for (const QString& statement : version1())
                db.ExecuteSql(statement);
        if (version < 2)
            for (const QString& statement : version2())
                db.ExecuteSql(statement);
        if (version < 3)
            for (const QString& statement : version3())
                db.ExecuteSql(statement);
        if (version < 4)
            for (const QString& statement : version4())
                db.ExecuteSql(statement);
        if (version < 5)
            for (const QString& statement : version5(db.backend()))
                db.ExecuteSql(statement);
        if (version < 6)
            for (const QString& statement : version6(db.backend()))
                db.ExecuteSql(statement);
        if (version < 7)
            for (const QString& statement : version7(db.backend()))
                db.ExecuteSql(statement);
        db.ExecuteSql(setVersion(db, kVersion));
        transaction.commit();
    }
    if (!onServer(db))
        db.ExecuteSql(QStringLiteral("pragma journal_mode = wal"));
    return version == 0;
}
