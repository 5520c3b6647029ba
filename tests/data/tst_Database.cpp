#include "Clock.h"
#include "DbError.h"
#include "Field.h"
#include "Gbk.h"
#include "JetDialect.h"
#include "Schema.h"
#include "ServerConnection.h"
#include "Sql.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QFile>
#include <QTest>

class TestDataLayer : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::clearFixed(); }

    void dialect_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::addColumn<QString>("server"); // what PostgreSQL runs
        auto row = [](const char* name, const char* jet, const char* sqlite, const char* server = nullptr) {
            QTest::newRow(name) << QString(jet) << QString(sqlite) << QString(server ? server : sqlite);
        };
        row("moment", "where t<#2010-01-01 9:5:3# and", "where t<'2010-01-01 09:05:03' and");
        row("day range", "#2026-12-06 0:0:0# and #2026-12-06 23:59:59#",
            "'2026-12-06 00:00:00' and '2026-12-06 23:59:59'");
        row("date", "jzrq=#2026-1-6#", "jzrq='2026-01-06'");
        row("no seconds", "t=#2026-12-06 7:30#", "t='2026-12-06 07:30:00'");
        row("quoted hash", "values ('#3#', '#2026-12-06#')", "values ('#3#', '#2026-12-06#')");
        row("date beside a quote", "x='a''#' and d=#2026-12-06#", "x='a''#' and d='2026-12-06'");
        row("delete *", "delete * from fj where fjm='大厅'", "delete from fj where fjm='大厅'");
        row("delete*", "delete* from log", "delete from log");
        row("delete blanks", "DELETE  *  FROM\tlog", "delete from\tlog");
        row("quoted delete *", "set bz='delete * from cz'", "set bz='delete * from cz'");
        row("count(*)", "select count(*) as n from cz", "select count(*) as n from cz");
        row("top", "select top 1 * from lb order by id desc", "select * from lb order by id desc limit 1");
        row("top, trailing blanks", "SELECT TOP 5 xmm from xm  ", "SELECT xmm from xm limit 5  ");
        row("top in a subquery", "(select top 1 ydbh from yd where czmc='A1') and",
            "(select ydbh from yd where czmc='A1' limit 1) and");
        row("stop is no top", "select stop from t", "select stop from t");
        row("CDbl", "where CDbl(sl)<0", "where cast(sl as real)<0", "where cast(sl as double precision)<0");
        row("CDbl nested", "select CDbl(sum(sl)) from xfmx", "select cast(sum(sl) as real) from xfmx",
            "select cast(sum(sl) as double precision) from xfmx");
        row("format", "and  format(ydsj,'yyyy-mm-dd')='2026-12-06'", "and  substr(ydsj,1,10)='2026-12-06'");
        row("quoted format", "bz='format(ydsj,''yyyy-mm-dd'')'", "bz='format(ydsj,''yyyy-mm-dd'')'");
        row("identity", "SELECT @@Identity as xfbh from xfmx", "select last_insert_rowid() as xfbh",
            "select lastval() as xfbh");
        row("log counter", "alter table log alter column [logid] COUNTER (1, 1) ",
            "delete from sqlite_sequence where name='log' ",
            "select setval(pg_get_serial_sequence('\"log\"','logid'),coalesce(max(\"logid\"),0)+1,false) from "
            "\"log\" ");
        row("brackets", "select * from [user] where xm='甲'", "select * from [user] where xm='甲'",
            "select * from \"user\" where xm='甲'");
        row("bracket in a name and a text", "update [User] set bz='[甲]' where [Xm]='乙'",
            "update [User] set bz='[甲]' where [Xm]='乙'", "update \"user\" set bz='[甲]' where \"xm\"='乙'");
        row("unterminated quote", "select 'abc", "select 'abc");
        row("like", "where xmpy like '%gb%' or xmbh like '%12%'", "where xmpy like '%gb%' or xmbh like '%12%'",
            "where cast(xmpy as text) ilike '%gb%' or cast(xmbh as text) ilike '%12%'");
        row("like of a table's column", "and (hy.bh LIKE '5%')", "and (hy.bh LIKE '5%')",
            "and (cast(hy.bh as text) ilike '5%')");
        row("not like", "where zt not like '已%'", "where zt not like '已%'",
            "where cast(zt as text) not ilike '已%'");
        row("like of an expression", "where substr(x,1,2) like 'ab'", "where substr(x,1,2) like 'ab'",
            "where substr(x,1,2) ilike 'ab'");
        row("quoted like", "set bz='a like b'", "set bz='a like b'");
        row("total", "select total(xfmx.ysje) as s", "select total(xfmx.ysje) as s",
            "select coalesce(sum(xfmx.ysje),0) as s");
        row("ifnull", "select ifnull(jzzdh, '-')", "select ifnull(jzzdh, '-')", "select coalesce(jzzdh,'-')");
        row("iif", "select iif(sl>0, 'a,b', iif(sl<0,'-',''))", "select iif(sl>0, 'a,b', iif(sl<0,'-',''))",
            "select case when sl>0 then 'a,b' else case when sl<0 then '-' else '' end end");
        row("local now", "default (datetime('now','localtime')), d default (date('now','localtime'))",
            "default (datetime('now','localtime')), d default (date('now','localtime'))",
            "default (to_char(localtimestamp,'YYYY-MM-DD HH24:MI:SS')), d default "
            "(to_char(localtimestamp,'YYYY-MM-DD'))");
        row("indexed by", "from xfmx indexed by xfmx_odd where", "from xfmx indexed by xfmx_odd where",
            "from xfmx where");
        row("empty blob", "coalesce(fws,x'') and x='x'''", "coalesce(fws,x'') and x='x'''",
            "coalesce(fws,null) and x='x'''");
        row("create table",
            "create table t (id integer primary key autoincrement, a text default 'real text', b real) without rowid",
            "create table t (id integer primary key autoincrement, a text default 'real text', b real) without rowid",
            "create table t (id bigint generated by default as identity primary key, a text collate \"C\" "
            "default 'real text', b double precision)");
        row("types only in create table", "select text, real from t", "select text, real from t");
        row("cast to integer", "select cast(sum(a) as integer), cast(b as Integer)", "select cast(sum(a) as integer), cast(b as Integer)",
            "select cast(trunc(cast(sum(a) as double precision)) as bigint), cast(trunc(cast(b as double precision)) as bigint)");
        row("group_concat", "select group_concat(czm||zt), group_concat(x, ';')",
            "select group_concat(czm||zt), group_concat(x, ';')",
            "select string_agg(cast(czm||zt as text),','), string_agg(cast(x as text),';')");
        row("group_concat in written order", "select group_concat(czmc||zt) from yd where ydbh='live'",
            "select group_concat(czmc||zt) from yd where ydbh='live'",
            "select string_agg(cast(czmc||zt as text),',' order by id) from yd where ydbh='live'");
        row("insert or ignore", "insert or ignore into fj(fjm) values('大厅')",
            "insert or ignore into fj(fjm) values('大厅')", "insert into fj(fjm) values('大厅') on conflict do nothing");
        row("subqueries named", "select a from (select a from (select a from t) where b in (select b from u)) group by a",
            "select a from (select a from (select a from t) where b in (select b from u)) group by a",
            "select a from (select a from (select a from t) as pelvar_2 where b in (select b from u)) as pelvar_1 group by a");
        row("subquery with a name", "select x.a from (select a from t) x, (select 1)",
            "select x.a from (select a from t) x, (select 1)");
        row("printf", "select printf('%.2f|%d%%',xfje,n)||jzfs, printf('x')",
            "select printf('%.2f|%d%%',xfje,n)||jzfs, printf('x')",
            "select (to_char(round(cast(xfje as numeric),2),'FM999999999999999990.00')||'|'||"
            "cast(cast(n as bigint) as text)||'%')||jzfs, ('x')");
        row("file pragma", "pragma wal_checkpoint(truncate)", "pragma wal_checkpoint(truncate)", "select 1 where false");
        row("written order", "select * from cz where fjm like '大厅' and czm in (select czmc from yd order by ydbh) ",
            "select * from cz where fjm like '大厅' and czm in (select czmc from yd order by ydbh) ",
            "select * from cz where cast(fjm as text) ilike '大厅' and czm in (select czmc from yd order by ydbh) order by id ");
        row("no written order", "select count(*) from cz; select * from xm; select * from cz order by czm",
            "select count(*) from cz; select * from xm; select * from cz order by czm");
        row("no written order for a join", "select * from hy,hydj where hy.hydj=hydj.id",
            "select * from hy,hydj where hy.hydj=hydj.id");
        row("refusing trigger", "create trigger r before update of tdsl on xfmx when old.xfbh=4 begin select raise(abort,'磁盘已满'); end",
            "create trigger r before update of tdsl on xfmx when old.xfbh=4 begin select raise(abort,'磁盘已满'); end",
            "create or replace function r() returns trigger language plpgsql as $$ begin if old.xfbh=4 then raise "
            "exception using message='磁盘已满'; end if; if tg_op='DELETE' then return old; end if; return new; end $$; "
            "create or replace trigger r before update of tdsl on xfmx for each row execute function r()");
        row("drop trigger", "drop trigger if exists xfrhz_insert", "drop trigger if exists xfrhz_insert",
            "drop function if exists xfrhz_insert() cascade");
        row("cast to text", "select cast(b as text)", "select cast(b as text)");
        row("round", "sum(round(sl*100)*round(dj*100,1))", "sum(round(sl*100)*round(dj*100,1))",
            "sum(trunc((sl*100)+sign(sl*100)*0.5::float8)*round(cast(dj*100 as numeric),1))");
        row("decimal numbers", "set xfhj=xfhj+12.50, x=.5, y='1.5', z=t1.c", "set xfhj=xfhj+12.50, x=.5, y='1.5', z=t1.c",
            "set xfhj=xfhj+12.50::float8, x=.5::float8, y='1.5', z=t1.c");
    }
    void dialect()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QFETCH(QString, server);
        QCOMPARE(JetDialect::translate(jet), sqlite);
        QCOMPARE(JetDialect::translate(jet, Backend::PostgreSQL), server);
    }

    void statements_data()
    {
        QTest::addColumn<QStringList>("statements"); // run in order; "!": must fail
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("value"); // "now": each of "a|b" is this moment; "today": its date
        // The server writes a whole real as a whole number ("0"), the file with a point ("0.0").
        auto row = [](const QString& name, const QStringList& statements, const QString& query,
                      const QString& value, const QString& server = QString()) {
            QTest::newRow(qPrintable(name))
                << statements << query << (TestDatabase::onServer() && !server.isNull() ? server : value);
        };
        const QString line = "insert into xfmx (czm, sl) values ('A1', '1.50')";
        const QString bill = "insert into jzhz (zdh) values ('202612060001')";
        const QString log = "insert into log (log) values ('x')";
        row("free table", {"insert into cz (czm) values ('A1')"},
            "select zyzt||'/'||xfhj||'/'||jdsj||yzrs from cz", "空闲/0.0/", "空闲/0/");
        row("open line", {line}, "select sl||'/'||jzbj||sfdy||'/'||tdsl||ifnull(jzzdh, '-') from xfmx",
            "1.5/00/0.0-", "1.5/00/0-");
        row("times", {line, "insert into dj (djbh) values ('1')", bill, log},
            "select xfsj||'|'||jdsj||'|'||jzsj||'|'||date from xfmx, dj, jzhz, log where jzdh is null",
            "now");
        row("bill date", {bill}, "select jzrq from jzhz", "today");
        row("counters never reuse a number", {line, line, line, "delete * from xfmx where xfbh=3", line},
            "SELECT @@Identity as xfbh from xfmx", "4");
        row("the log counter restarts",
            {log, log, "delete * from log", "alter table log alter column [logid] COUNTER (1, 1) ", log},
            "select logid from log", "1");
        QStringList unique; // a second row with the same key is refused
        for (const char* s : {"fj (fjm) values ('大厅')", "cz (czm) values ('A1')", "dj (djbh) values ('1')",
                              "jzhz (zdh) values ('1')", "lb (lbm) values ('热菜')",
                              "[user] (xm) values ('张三')", "xm (xmbh, xmm) values (1, '米饭')"})
            unique << QStringLiteral("insert into ") + s << QStringLiteral("!insert into ") + s;
        unique << QStringLiteral("!insert into xm (xmbh, xmm) values (1, '面')")
               << QStringLiteral("!insert into xm (xmbh, xmm) values (2, '米饭')");
        row("unique keys", unique, "select count(*) from xm", "1");
        for (const QString name : {"O'Brien's", "宫保'鸡丁", "''", "#2026-12-06# delete * from cz"})
            row("quoted " + name, {"insert into xm (xmbh, xmm) values (1, " + Sql::quote(name) + ")"},
                "select xmm from xm where xmm=" + Sql::quote(name), name);
        row("null sum", {}, "select sum(ysje) from xfmx", "");
        // Arithmetic gives the same on both backends.
        row("integer division", {}, "select (7/2)||' '||(-7/2)||' '||(7/2.0)||' '||(7%3)", "3 -3 3.5 1");
        row("cast cuts the fraction", {}, "select cast(4.7 as integer)||' '||cast(-4.7 as integer)", "4 -4");
        row("round takes halves away from zero", {}, "select round(2.5)+round(-2.5)*10+round(0.125,2)*100", "-14");
        row("ten-thousandths of a half cent", {},
            "select cast(round(coalesce(13.95*0.3,0)*10000) as integer)+cast(round(coalesce(null,0)*10000) as integer)",
            "41850");
        row("total of nothing", {}, "select total(ysje) from xfmx", "0");
        row("iif and concatenation", {}, "select iif(1>0, 'a'||5||'b', 'n')", "a5b");
        row("like ignores the case of a number's text", {"insert into hy (xm, xmpy) values ('王五', 'WW')"},
            "select xm from hy where xmpy like 'ww%' and bh like '1%'", "王五");
        row("printf", {}, "select printf('%.2f|%d|%s', 2.5, 3, 'x')", "2.50|3|x");
        row("a trigger refuses a change", {"insert into fj (fjm) values ('大厅')",
             "create trigger r before update on fj when new.fjm='包间' begin select raise(abort,'磁盘已满'); end",
             "!update fj set fjm='包间'", "drop trigger r", "update fj set fjm='包间'", "update fj set csfy='5'"},
            "select fjm||csfy from fj", "包间5");
        // Typed text reaches the database quoted: a control character in it (ESC, NUL, GS, DEL, TAB)
        // is refused there, line breaks of a note are not, nor the layout of a statement itself.
        QStringList controls;
        for (const char16_t c : {0x1b, 0x00, 0x1d, 0x7f, 0x09})
            controls << "!insert into xm (xmbh, xmm) values (1, " +
                            Sql::quote(QStringLiteral("鱼") + QChar(c) + QStringLiteral("p")) + ")";
        controls << "insert into cz (czm, bz) values ('A1', " + Sql::quote(QStringLiteral("两行\r\n备注")) +
                        ")"
                 << "insert into\nxm (xmbh, xmm) values\t(2, '面')";
        row("control characters", controls, "select group_concat(xmm)||(select length(bz) from cz) from xm",
            "面6");
    }
    void statements()
    {
        QFETCH(QStringList, statements);
        QFETCH(QString, query);
        QFETCH(QString, value);
        TestDatabase t;
        for (const QString& statement : statements) {
            if (statement.startsWith('!'))
                QVERIFY_THROWS_EXCEPTION(DbError, t.db.ExecuteSql(statement.mid(1)));
            else
                t.exec(statement);
        }
        Recordset rs;
        QVERIFY(t.db.OpenRecordset(rs, query));
        const QString read = rs.isEOF() ? "(none)" : rs.getString(rs.columns().first());
        if (value != "now")
            QCOMPARE(read, value == "today" ? QDate::currentDate().toString("yyyy-MM-dd") : value);
        const QStringList times = value == "now" ? read.split('|') : QStringList();
        for (const QString& time : times) { // local time, never UTC
            const QDateTime stored = ParseDateTime(time);
            QVERIFY2(stored.isValid() && qAbs(stored.secsTo(QDateTime::currentDateTime())) <= 5,
                     qPrintable(read));
        }
        QCOMPARE(t.prompt.texts(), QStringList());
    }

    void newFileHasItsFirstRows()
    {
        TestDatabase t;
        QCOMPARE(t.scalar("select count(*) from gs") + t.scalar("select cfdy||'/'||dyjmc from dysz"), "11/");
        Recordset admin = t.db.query("select * from [user] where xm='系统管理员'");
        QString rights;
        for (const QString& column : admin.columns())
            rights += column.endsWith("qx") ? admin.getString(column) : "";
        QCOMPARE(rights, QString(21, '1'));
        QCOMPARE(admin.getString("mm") + "/" + Sql::money(admin.getDouble("dzbl")), "/0.00");
        QVERIFY(admin.getDouble("zdmlje") > 0);
        if (TestDatabase::onServer()) {
            QCOMPARE(t.scalar("select version from pelvar_version").toInt(), Schema::kVersion);
            return;
        }
        QCOMPARE(t.scalar("pragma journal_mode"), "wal");
        QCOMPARE(t.scalar("pragma user_version").toInt(), Schema::kVersion);
    }

    void shiftBounds_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("shift");
        QTest::newRow("at a start") << QTime(9, 5, 3) << "0";
        QTest::newRow("just after a start") << QTime(9, 5, 4) << "1";
        QTest::newRow("inside the second") << QTime(18, 0) << "2";
        QTest::newRow("at an end") << QTime(14, 0) << "0";
        QTest::newRow("just before an end") << QTime(13, 59, 59) << "1";
        QTest::newRow("in one across midnight") << QTime(23, 0) << "0";
    }
    void shiftBounds()
    {
        QFETCH(QTime, now);
        QFETCH(QString, shift);
        TestDatabase t;
        t.exec("insert into yybc (qssj, jssj) values (#2010-01-01 9:5:3#, #2010-01-01 14:0:0#)");
        t.exec("insert into yybc (qssj, jssj) values (#2010-01-01 17:0:0#, #2010-01-01 21:30:0#)");
        t.exec("insert into yybc (qssj, jssj) values (#2010-01-01 22:0:0#, #2010-01-01 2:0:0#)"); // never
        Clock::setFixed(QDateTime(QDate(2026, 12, 6), now));
        QCOMPARE(t.db.GetCurrentShiftId(), shift);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // Field::toDouble, Field::toInt, Field::parseNumber ("-": none)
        auto row = [](const char* text, const char* read) {
            QTest::newRow(text) << QString(text) << QString(read);
        };
        row("94.50", "94.5 94 94.5");
        row(" -2 ", "-2 -2 -2");
        row(".5", "0.5 0 0.5");
        row("3人", "3 3 -");
        row("0,9", "0 0 -");
        row("o.9", "0 0 -");
        row("", "0 0 -");
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<double> typed = Field::parseNumber(text);
        const QString parsed = typed ? QString::number(*typed) : "-";
        QCOMPARE(QString("%1 %2 %3").arg(Field::toDouble(text)).arg(Field::toInt(text)).arg(parsed), read);
    }

    void readingFieldsAndFailures()
    {
        TestDatabase t;
        t.exec("insert into yd (ydbh, yj, ydsj) values ('20261206093000', '12.5', '2026-12-06 09:05:03')");
        Recordset rs = t.db.query("select * from yd");
        QCOMPARE(rs.getString("khxm") + rs.getString("YDBH"), "20261206093000"); // null is ""
        QCOMPARE(rs.getDouble("yj") + rs.getDouble("lxdh") + rs.getInt("yybcbh"), 12.5);
        QCOMPARE(rs.getDateTime("ydsj"), QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3)));
        QVERIFY(!rs.getDateTime("qxsj").isValid());
        QVERIFY_THROWS_EXCEPTION(DbError, rs.getString("nosuchcolumn"));
        QVERIFY_THROWS_EXCEPTION(DbError, t.db.ExecuteSql("select * from nosuchtable")); // the caller says
        QVERIFY(!t.db.OpenRecordset(rs, "select * from nosuchtable"));
        QCOMPARE(t.prompt.texts(), QStringList{TestDatabase::onServer()
                                                   ? "ADO Error: relation \"nosuchtable\" does not exist"
                                                   : "ADO Error: no such table: nosuchtable"});
        QCOMPARE(t.prompt.shown().first().caption, "提示信息");
        QVERIFY(t.db.OpenRecordset(rs, "select gsmc from gs")); // and the screen goes on
    }

    void transactionRollsBackUnlessCommitted()
    {
        TestDatabase t;
        try {
            Transaction transaction(t.db);
            t.db.ExecuteSql("insert into fj (fjm) values ('大厅')");
            t.db.ExecuteSql("insert into fj (fjm) values ('大厅')"); // a duplicate: throws before the commit
            transaction.commit();
        } catch (const DbError&) {
        }
        QCOMPARE(t.scalar("select count(*) from fj"), "0");
        Transaction transaction(t.db);
        t.db.ExecuteSql("insert into fj (fjm) values ('包间')");
        transaction.commit();
        QCOMPARE(t.scalar("select count(*) from fj"), "1");
    }

    // The server drops the connection: the statement under way fails and its transaction leaves
    // nothing behind; the next statement connects again.
    void connectionLostDuringWork()
    {
        if (!TestDatabase::onServer())
            QSKIP("a file's connection is never lost");
        TestDatabase t;
        auto cut = [&] {
            ServerConnection other;
            other.connect(t.location());
            other.run("select pg_terminate_backend(pid) from pg_stat_activity where datname=current_database() "
                      "and pid<>pg_backend_pid()",
                      nullptr);
        };
        try {
            Transaction transaction(t.db);
            t.db.ExecuteSql("insert into fj (fjm) values ('大厅')");
            cut();
            t.db.ExecuteSql("insert into fj (fjm) values ('包间')");
            transaction.commit();
            QFAIL("the second write went through");
        } catch (const DbError&) {
        }
        QCOMPARE(t.scalar("select count(*) from fj"), "0");
        cut();
        Recordset rs;
        QVERIFY(!t.db.OpenRecordset(rs, "select * from fj"));
        QCOMPARE(t.prompt.texts().size(), 1);
        QVERIFY(t.db.OpenRecordset(rs, "select * from fj"));
        t.exec("insert into fj (fjm) values ('包间')");
        QCOMPARE(t.scalar("select fjm from fj"), "包间");
    }

    void olderFileIsBroughtForward()
    {
        TestDatabase t;
        t.exec("update gs set gsmc='老王饭庄'");
        const QStringList added{"xfmx_xfxm", "jzhz_hybh", "jzhz_jzfs", "dj_xfzt",
                                "yd_yybcbh", "dj_jdsj",   "zcsr_fssj"};
        for (const QString& index : added)
            t.exec("drop index " + index);
        const bool server = TestDatabase::onServer();
        t.exec(server ? "update pelvar_version set version=1" : "pragma user_version = 1");
        t.db.close();
        t.db.open(t.location());
        QCOMPARE(t.scalar(server ? "select version from pelvar_version" : "pragma user_version"),
                 QString::number(Schema::kVersion));
        QCOMPARE(t.scalar((server ? "select count(*) from pg_indexes where indexname in ('"
                                  : "select count(*) from sqlite_master where name in ('") +
                          added.join("','") + "')"),
                 QString::number(added.size()));
        QCOMPARE(t.scalar("select gsmc from gs"), "老王饭庄");
    }

    void otherFilesAreLeftAlone_data()
    {
        QTest::addColumn<QString>("version"); // of a file with tables; none: not a database at all
        QTest::newRow("not a database") << "";
        QTest::newRow("another program's database") << "0";
        QTest::newRow("a newer version of ours") << "99";
    }
    void otherFilesAreLeftAlone()
    {
        QFETCH(QString, version);
        TestDatabase t;
        if (TestDatabase::onServer()) {
            // The server's database of another program, or of a newer version, keeps its rows.
            if (version.isEmpty())
                QSKIP("a server's database is always a database");
            t.exec(version == "0" ? "drop table pelvar_version"
                                  : "update pelvar_version set version=" + version);
            t.exec("update gs set gsmc='别人的'");
            t.db.close();
            QVERIFY_THROWS_EXCEPTION(DbError, t.db.open(t.location()));
            QVERIFY(!t.db.isOpen());
            ServerConnection server;
            server.connect(t.location());
            Recordset rs;
            server.run("select gsmc from gs", &rs);
            QCOMPARE(rs.getString("gsmc"), "别人的");
            return;
        }
        if (!version.isEmpty())
            t.exec("pragma user_version = " + version);
        t.db.close();
        QFile file(t.filePath());
        QVERIFY(!version.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write("不是数据库\n") > 0));
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY_THROWS_EXCEPTION(DbError, t.db.open(t.filePath()));
        QVERIFY(!t.db.isOpen() && !QFile::exists(t.filePath() + "-wal"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void gbkWidths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("results"); // width | padded to the bytes ("%-*s") | cut to them
        auto row = [](const char* name, const char* text, int bytes, const char* results) {
            QTest::newRow(name) << QString(text) << bytes << QString(results);
        };
        row("ascii", "ab", 8, "2|ab      |ab");
        row("Chinese", "鸡丁", 8, "4|鸡丁    |鸡丁");
        row("longer text is kept whole", "可乐330ml", 8, "9|可乐330ml|可乐330m");
        row("full-width brackets", "（大）", 5, "6|（大）|（大");
        row("a cut inside a character", "宫保鸡丁", 5, "8|宫保鸡丁|宫保");
        row("a trail byte without the high bit", "a丂丂", 4, "5|a丂丂|a丂");
        row("nothing fits", "宫", 0, "2|宫|");
    }
    void gbkWidths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QFETCH(QString, results);
        const QString padded = Gbk::padRight(text, bytes);
        QCOMPARE(QString::number(Gbk::width(text)) + "|" + padded + "|" + Gbk::cut(text, bytes), results);
        QCOMPARE(Gbk::padLeft(text, bytes), QString(padded.size() - text.size(), ' ') + text);
    }

    void gbkFiles()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("便签.txt"));
        QVERIFY(Gbk::writeFile(file.fileName(), "少辣\n不要葱"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toHex(), "c9d9c0b10d0ab2bbd2aab4d0"); // GBK with CR LF
        bool ok = false;
        QCOMPARE(Gbk::readFile(file.fileName(), &ok), "少辣\n不要葱");
        QVERIFY(ok);
        QCOMPARE(Gbk::readFile(dir.filePath("missing.txt"), &ok), "");
        QVERIFY(!ok);
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly)); // saved as UTF-8 with its byte order mark
        file.write("\xEF\xBB\xBF" + QStringLiteral("微辣\r\n").toUtf8());
        file.close();
        QCOMPARE(Gbk::readFile(file.fileName()), "微辣\n");
    }
};

PELVAR_TEST(TestDataLayer)
#include "tst_Database.moc"
