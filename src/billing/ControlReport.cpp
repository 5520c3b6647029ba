#include "ControlReport.h"

#include "Database.h"
#include "Money.h"
#include "Sql.h"

QString ControlReport::subtitle(const QDateTime& start, const QDateTime& end, const QString& who)
{
    return QStringLiteral("起止时间:") + Sql::timeText(start) + QStringLiteral("—") + Sql::timeText(end) +
           QStringLiteral("      操作员:") + who;
}

void ControlReport::add(QList<QStringList>& rows, const QString& kind, const QString& statement)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return;
    int count = 0;
    qint64 sum = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const double value = rs.getDouble(QStringLiteral("je"));
        ++count;
        sum += Money::cents(value);
        rows.append(
            {kind, rs.getString(QStringLiteral("zdh")), rs.getString(QStringLiteral("xm")),
             rs.getString(QStringLiteral("sl")).isEmpty() ? QString()
                                                          : Sql::money(rs.getDouble(QStringLiteral("sl"))),
             Sql::money(value), rs.getString(QStringLiteral("czy")),
             Sql::timeText(rs.getDateTime(QStringLiteral("sj"))), rs.getString(QStringLiteral("yy"))});
    }
    if (count > 0)
        rows.append({kind + QStringLiteral("小计"), QString(), QString(), QString::number(count),
                     Sql::money(sum / 100.0)});
}

QList<QStringList> ControlReport::rows(const QDateTime& start, const QDateTime& end, const QString& who)
{
    const QString period = QStringLiteral(" between ") + Sql::timeLiteral(start) + QStringLiteral(" and ") +
                           Sql::timeLiteral(end);
    const QString person = Sql::quote(who == kAll ? QStringLiteral("%") : who);
    const QString lines =
        QStringLiteral(" from xfmx inner join jzhz on xfmx.jzzdh=jzhz.zdh where jzhz.jzsj") + period +
        QStringLiteral(" and xfmx.jzr like ") + person;
    const QString bills =
        QStringLiteral(" from jzhz where jzsj") + period + QStringLiteral(" and jzr like ") + person;
    QList<QStringList> rows;
    add(rows, QStringLiteral("退单"),
        QStringLiteral(
            "select jzhz.zdh as zdh,xfmx.xfxm as xm,-xfmx.sl as sl,-xfmx.sl*xfmx.xmdj as je,xfmx.jzr as "
            "czy,xfmx.xfsj as sj,xfmx.tdbz as yy") +
            lines + QStringLiteral(" and xfmx.sl<0 order by xfmx.xfsj"));
    add(rows, QStringLiteral("赠送"),
        QStringLiteral(
            "select jzhz.zdh as zdh,xfmx.xfxm as xm,xfmx.sl as sl,xfmx.sl*xfmx.xmdj as je,xfmx.jzr as "
            "czy,xfmx.xfsj as sj,xfmx.bz as yy") +
            lines + QStringLiteral(" and xfmx.sl>0 and xfmx.dzbl=0 order by xfmx.xfsj"));
    add(rows, QStringLiteral("免费账单"),
        QStringLiteral("select zdh,czm as xm,'' as sl,xfje as je,jzr as czy,jzsj as sj,bz as yy") + bills +
            QStringLiteral(" and jzfs='免费' order by jzsj"));
    add(rows, QStringLiteral("折扣"),
        QStringLiteral(
            "select zdh,czm as xm,'' as sl,(select sum(dzje) from xfmx where jzzdh=zdh and dzbl>0 and "
            "dzbl<1) as je,jzr as czy,jzsj as sj,bz as yy") +
            bills +
            QStringLiteral(
                " and jzfs<>'免费' and exists (select xfbh from xfmx where jzzdh=zdh and dzbl>0 and "
                "dzbl<1) order by jzsj"));
    add(rows, QStringLiteral("抹零"),
        QStringLiteral("select zdh,czm as xm,'' as sl,(select sum(ysje) from xfmx where jzzdh=zdh)-ssje "
                       "as je,jzr as czy,jzsj as sj,bz as yy") +
            bills +
            QStringLiteral(" and jzfs<>'免费' and (select sum(ysje) from xfmx where jzzdh=zdh)-ssje>=0.005 "
                           "order by jzsj"));
    // A change's value is what it took off 实收金额 (all of it, for a bill deleted).
    Recordset rs;
    if (m_db.OpenRecordset(
            rs, QStringLiteral("select zdh,czlx,czr,czsj,yy,(select ssje from zdxgzd where xgid=id "
                               "and bb='前') as qje,(select ssje from zdxgzd where xgid=id and "
                               "bb='后') as hje from zdxg where czsj") +
                    period + QStringLiteral(" and czr like ") + person +
                    QStringLiteral(" order by czsj,id"))) {
        const QString kind = QStringLiteral("修改/删除");
        int count = 0;
        qint64 sum = 0;
        for (; !rs.isEOF(); rs.moveNext()) {
            const qint64 before = Money::cents(rs.getDouble(QStringLiteral("qje")));
            const QString afterText = rs.getString(QStringLiteral("hje"));
            const qint64 after = afterText.isEmpty() ? 0 : Money::cents(rs.getDouble(QStringLiteral("hje")));
            ++count;
            sum += before - after;
            rows.append({kind, rs.getString(QStringLiteral("zdh")),
                         rs.getString(QStringLiteral("czlx")) + QStringLiteral(" 实收") +
                             Sql::money(before / 100.0) + QStringLiteral("→") +
                             (afterText.isEmpty() ? QStringLiteral("—") : Sql::money(after / 100.0)),
                         QString(), Sql::money((before - after) / 100.0), rs.getString(QStringLiteral("czr")),
                         Sql::timeText(rs.getDateTime(QStringLiteral("czsj"))),
                         rs.getString(QStringLiteral("yy"))});
        }
        if (count > 0)
            rows.append({kind + QStringLiteral("小计"), QString(), QString(), QString::number(count),
                         Sql::money(sum / 100.0)});
    }
    return rows;
}
