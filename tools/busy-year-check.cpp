#include "busy-year-check.h"

#include <QString>

namespace BusyYear {

namespace {

// Statements that find no row when the file keeps the program's rules.
const char* const kChecks[][2] = {
    {"bills whose amounts differ from their lines",
     "select zdh from jzhz left join (select jzzdh,sum(round(ysje*100)+round(dzje*100)) as gross,"
     "sum(round(ysje*100)) as due from xfmx group by jzzdh) on jzzdh=zdh where gross is null or "
     "round(xfje*100)<>gross or round(dzje*100)+round(ssje*100)<>gross or round(ssje*100)>due "
     "or (jzfs<>'免费' and (ssje<=0 or due-round(ssje*100)>1000)) limit 5"},
    {"visits whose running total differs from their lines",
     "select djbh from dj left join (select jzzdh,czm,sum(xmdj*dzbl*sl) as total from xfmx group by "
     "jzzdh,czm) l on l.jzzdh=dj.jzdh and l.czm=dj.czm where abs(dj.xfhj-coalesce(total,0))>0.006 limit 5"},
    {"bills without a main registration", "select zdh from jzhz where not exists (select 1 from dj where "
                                          "dj.jzdh=jzhz.zdh and dj.zdbj='y' and dj.czm=jzhz.czm) limit 5"},
    {"bill numbers not of their day", "select zdh from jzhz where substr(zdh,1,8)<>replace(jzrq,'-','') or "
                                      "length(zdh)<>12 or jzrq<>substr(jzsj,1,10) limit 5"},
    {"lines outside their visit", "select xfbh from xfmx join dj on dj.jzdh=xfmx.jzzdh and dj.czm=xfmx.czm "
                                  "where xfmx.xfsj<dj.jdsj or xfmx.xfsj>dj.ldsj limit 5"},
    {"returns not taken from their line",
     "select r.czm from (select jzzdh,xfxm,-sum(sl) as back from xfmx where sl<0 group by jzzdh,xfxm) r "
     "left join (select jzzdh,xfxm,sum(tdsl) as tdsl from xfmx where tdbj='1' group by jzzdh,xfxm) o "
     "using (jzzdh,xfxm) where round(back*100)<>round(coalesce(tdsl,0)*100) limit 5"},
    {"gifts with an amount due",
     "select xfbh from xfmx where dzbl=0 and (ysje<>0 or round(dzje*100)<>round(xmdj*sl*100)) limit 5"},
    {"members whose total differs from their bills",
     "select bh from hy where round(xfze*100)<>(select coalesce(sum(round(ssje*100)),0) from jzhz where "
     "hybh=hy.bh) limit 5"},
    {"tables busy twice at once", "select djbh from (select djbh,jdsj,lag(ldsj) over (partition by czm order "
                                  "by jdsj) as before from dj) where before>jdsj limit 5"},
    {"day totals that differ from the lines",
     "with l as (select substr(xfsj,1,10),xfxm,case when jzbj='1' then '1' else '0' "
     "end,count(*),sum(round(sl*10000)),"
     "sum(round(dzje*10000)),sum(round(ysje*10000)) from xfmx group by 1,2,3), t as (select rq,xfxm,jzbj,ts,"
     "sl,dzje,ysje from xfrhz) select * from (select * from l except select "
     "* "
     "from t) union all select * from (select * from t except select * from l) limit 5"},
    {"waiters' day totals that differ from the lines",
     "with l as (select substr(xfsj,1,10),dj.fws,xfxm,count(*),sum(round(sl*10000)),sum(round(dzje*10000)),"
     "sum(round(ysje*10000)) from xfmx,dj where dj.jzdh=xfmx.jzzdh and dj.czm=xfmx.czm group by 1,2,3), t as "
     "(select rq,fws,xfxm,ts,sl,dzje,ysje from fwsrhz) select * from "
     "(select * "
     "from l except select * from t) union all select * from (select * from t except select * from l) limit "
     "5"},
};

} // namespace

int checkRules(sqlite3* db, QTextStream& err)
{
    int faults = 0;
    for (const auto& check : kChecks) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, check[1], -1, &statement, nullptr);
        const bool found = sqlite3_step(statement) == SQLITE_ROW;
        err << (found ? "FAULT " : "ok    ") << check[0]
            << (found
                    ? QStringLiteral(": ") +
                          QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)))
                    : QString())
            << Qt::endl;
        faults += found;
        sqlite3_finalize(statement);
    }
    return faults;
}

} // namespace BusyYear
