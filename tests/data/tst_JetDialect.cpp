#include "JetDialect.h"
#include "TestMain.h"

#include <QTest>

class TestJetDialect : public QObject
{
    Q_OBJECT
private slots:
    void translate_data();
    void translate();
};

void TestJetDialect::translate_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("moment unpadded") << "select * from yybc where qssj<#2010-01-01 9:5:3#"
                                     << "select * from yybc where qssj<'2010-01-01 09:05:03'";
    QTest::newRow("day start") << "xfsj between #2026-12-06 0:0:0# and #2026-12-06 23:59:59#"
                               << "xfsj between '2026-12-06 00:00:00' and '2026-12-06 23:59:59'";
    QTest::newRow("date only") << "select max(zdh) as maxzdh from jzhz where jzrq=#2026-12-06#"
                               << "select max(zdh) as maxzdh from jzhz where jzrq='2026-12-06'";
    QTest::newRow("date unpadded") << "jzrq=#2026-1-6#"
                                   << "jzrq='2026-01-06'";
    QTest::newRow("no seconds") << "t=#2026-12-06 7:30#"
                                << "t='2026-12-06 07:30:00'";
    QTest::newRow("quoted hash") << "insert into xfmx (bz) values ('#3#')"
                                 << "insert into xfmx (bz) values ('#3#')";
    QTest::newRow("quoted date") << "update cz set bz='#2026-12-06#' where czm='A1'"
                                 << "update cz set bz='#2026-12-06#' where czm='A1'";
    QTest::newRow("date beside quote") << "x='a''#' and d=#2026-12-06#"
                                       << "x='a''#' and d='2026-12-06'";

    QTest::newRow("delete star") << "delete * from fj where fjm='大厅'"
                                 << "delete from fj where fjm='大厅'";
    QTest::newRow("delete* no space") << "delete* from log"
                                      << "delete from log";
    QTest::newRow("delete star tab") << "DELETE  *  FROM\tlog"
                                     << "delete from\tlog";
    QTest::newRow("quoted delete star") << "update cz set bz='delete * from cz' where czm='A1'"
                                        << "update cz set bz='delete * from cz' where czm='A1'";
    QTest::newRow("count star kept") << "select count(*) as n from cz"
                                     << "select count(*) as n from cz";

    QTest::newRow("top") << "select top 1 * from lb order by id desc"
                         << "select * from lb order by id desc limit 1";
    QTest::newRow("top trailing blanks") << "SELECT TOP 5 xmm from xm  "
                                         << "SELECT xmm from xm limit 5  ";
    QTest::newRow("top in subquery")
        << "select * from yd where ydbh=(select top 1 ydbh from yd where czmc='A1') and zt='已订'"
        << "select * from yd where ydbh=(select ydbh from yd where czmc='A1' limit 1) and zt='已订'";
    QTest::newRow("stop is no top") << "select stop from t"
                                    << "select stop from t";

    QTest::newRow("cdbl") << "select * from xfmx where CDbl(sl)<0"
                          << "select * from xfmx where cast(sl as real)<0";
    QTest::newRow("cdbl nested") << "select CDbl(sum(sl)) from xfmx"
                                 << "select cast(sum(sl) as real) from xfmx";
    QTest::newRow("format") << "select * from yd where czmc='A1' and  format(ydsj,'yyyy-mm-dd')='2026-12-06'"
                            << "select * from yd where czmc='A1' and  substr(ydsj,1,10)='2026-12-06'";
    QTest::newRow("quoted format") << "update cz set bz='format(ydsj,''yyyy-mm-dd'')'"
                                   << "update cz set bz='format(ydsj,''yyyy-mm-dd'')'";

    QTest::newRow("identity") << "SELECT @@Identity as xfbh from xfmx"
                              << "select last_insert_rowid() as xfbh";
    QTest::newRow("log counter") << "alter table log alter column [logid] COUNTER (1, 1) "
                                 << "delete from sqlite_sequence where name='log' ";
    QTest::newRow("brackets kept") << "select * from [user] where xm='系统管理员'"
                                   << "select * from [user] where xm='系统管理员'";
    QTest::newRow("unterminated quote") << "select 'abc"
                                        << "select 'abc";
}

void TestJetDialect::translate()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(JetDialect::translate(jet), sqlite);
}

PELVAR_TEST(TestJetDialect)
#include "tst_JetDialect.moc"
