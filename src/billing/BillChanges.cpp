#include "BillChanges.h"

#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "PaymentParts.h"
#include "Sql.h"

qint64 BillChanges::keepBefore(Database& db, const QString& bill, const QString& kind, const QString& who,
                               const QString& reason, const QDateTime& when)
{
    db.ExecuteSql(QStringLiteral("insert into zdxg (zdh,czlx,czr,czsj,yy) values (") + Sql::quote(bill) +
                  QLatin1Char(',') + Sql::quote(kind) + QLatin1Char(',') + Sql::quote(who) +
                  QLatin1Char(',') + Sql::timeLiteral(when) + QLatin1Char(',') + Sql::quote(reason) +
                  QLatin1Char(')'));
    Recordset rs = db.query(QStringLiteral("select max(id) as id from zdxg"));
    const qint64 change = rs.getString(QStringLiteral("id")).toLongLong();
    keep(db, change, kBefore, bill);
    return change;
}

void BillChanges::keepAfter(Database& db, qint64 change, const QString& bill)
{
    keep(db, change, kAfter, bill);
}

void BillChanges::keep(Database& db, qint64 change, const QString& side, const QString& bill)
{
    const QString key = QString::number(change) + QLatin1Char(',') + Sql::quote(side);
    const QString parts = PaymentParts::text(PaymentParts::of(db, bill));
    db.ExecuteSql(
        QStringLiteral("insert into zdxgzd (xgid,bb,czm,xfje,dzje,ssje,hybh,jzfs,fk,jzr,jzsj,bz) select ") +
        key + QStringLiteral(",czm,xfje,dzje,ssje,hybh,jzfs,") + Sql::quote(parts) +
        QStringLiteral(",jzr,jzsj,bz from jzhz where zdh=") + Sql::quote(bill));
    db.ExecuteSql(
        QStringLiteral("insert into zdxgmx (xgid,bb,czm,xfxm,sl,xmdj,dzbl,ysje,tdbj,tdbz) select ") + key +
        QStringLiteral(",czm,xfxm,sl,xmdj,dzbl,ysje,tdbj,tdbz from xfmx where jzzdh=") + Sql::quote(bill) +
        QStringLiteral(" order by xfbh"));
}

QList<QStringList> BillChanges::rows(Database& db, const QDateTime& start, const QDateTime& end)
{
    QList<QStringList> rows;
    Recordset rs;
    if (!db.OpenRecordset(
            rs, QStringLiteral(
                    "select id,czsj,zdh,czlx,czr,yy,(select ssje from zdxgzd where xgid=id and bb='前') "
                    "as qssje,(select ssje from zdxgzd where xgid=id and bb='后') as hssje from zdxg "
                    "where czsj between ") +
                    Sql::timeLiteral(start) + QStringLiteral(" and ") + Sql::timeLiteral(end) +
                    QStringLiteral(" order by czsj,id")))
        return rows;
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString after = rs.getString(QStringLiteral("hssje"));
        rows.append({rs.getString(QStringLiteral("id")),
                     Sql::timeText(rs.getDateTime(QStringLiteral("czsj"))),
                     rs.getString(QStringLiteral("zdh")), rs.getString(QStringLiteral("czlx")),
                     rs.getString(QStringLiteral("czr")), Sql::money(rs.getDouble(QStringLiteral("qssje"))),
                     after.isEmpty() ? QString() : Sql::money(Field::toDouble(after)),
                     rs.getString(QStringLiteral("yy"))});
    }
    return rows;
}

BillChanges::Image BillChanges::image(Database& db, qint64 change, const QString& side)
{
    Image image;
    const QString where = QStringLiteral(" where xgid=%1 and bb=").arg(change) + Sql::quote(side);
    Recordset rs;
    if (db.OpenRecordset(rs, QStringLiteral("select * from zdxgzd") + where) && !rs.isEOF()) {
        const QString member = rs.getString(QStringLiteral("hybh"));
        const QString parts = rs.getString(QStringLiteral("fk"));
        const QString method = rs.getString(QStringLiteral("jzfs"));
        image.fields = {
            QStringLiteral("餐桌名: ") + rs.getString(QStringLiteral("czm")),
            QStringLiteral("消费金额: ") + Sql::money(rs.getDouble(QStringLiteral("xfje"))),
            QStringLiteral("优惠金额: ") + Sql::money(rs.getDouble(QStringLiteral("dzje"))),
            QStringLiteral("实收金额: ") + Sql::money(rs.getDouble(QStringLiteral("ssje"))),
            QStringLiteral("会员编号: ") + (Field::toInt(member) == 0 ? QStringLiteral("*") : member),
            QStringLiteral("结账方式: ") + (method == PaymentParts::kMixed
                                                ? method + QStringLiteral("(") + parts + QLatin1Char(')')
                                                : method),
            QStringLiteral("结账人: ") + rs.getString(QStringLiteral("jzr")),
            QStringLiteral("结账时间: ") + Sql::timeText(rs.getDateTime(QStringLiteral("jzsj"))),
            QStringLiteral("备注: ") + rs.getString(QStringLiteral("bz"))};
    }
    Recordset lines;
    if (db.OpenRecordset(lines,
                         QStringLiteral("select * from zdxgmx") + where + QStringLiteral(" order by id")))
        for (; !lines.isEOF(); lines.moveNext()) {
            const double quantity = lines.getDouble(QStringLiteral("sl"));
            const double ratio = lines.getDouble(QStringLiteral("dzbl"));
            QString item = lines.getString(QStringLiteral("xfxm"));
            if (quantity < 0)
                item += QStringLiteral("(退)");
            else if (Money::cents(ratio) == 0)
                item += QStringLiteral("(赠)");
            image.lines.append({item, Sql::money(quantity),
                                Sql::money(lines.getDouble(QStringLiteral("xmdj"))), Sql::money(ratio),
                                Sql::money(lines.getDouble(QStringLiteral("ysje")))});
        }
    return image;
}
