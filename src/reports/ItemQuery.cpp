#include "ItemQuery.h"

#include "Database.h"
#include "Sql.h"

// The last name has no width and so is no column: the list has six.
const QString ItemQuery::kColumns =
    QStringLiteral("编号,60;项目名称,120;类别,80;拼音简写,120;单价,80;单位,80;所属类别");
const QString ItemQuery::kAll = QStringLiteral("显示全部");

ItemQuery::ItemQuery(Database& db) : m_db(db) {}

QStringList ItemQuery::categories()
{
    QStringList names{kAll};
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from lb")))
        for (; !rs.isEOF(); rs.moveNext())
            names << rs.getString(QStringLiteral("lbm"));
    return names;
}

ReportTable ItemQuery::ofCategory(const QString& category)
{
    return list(category == kAll ? QStringLiteral("select * from Xm order by lbm")
                                 : QStringLiteral("select * from xm where lbm=") + Sql::quote(category) +
                                       QStringLiteral(" order by lbm"));
}

ReportTable ItemQuery::containing(const QString& text)
{
    const QString pattern = Sql::quote(QLatin1Char('%') + text + QLatin1Char('%'));
    return list(QStringLiteral("select * from xm where xmpy like ") + pattern +
                QStringLiteral(" or xmm like ") + pattern + QStringLiteral(" order by lbm"));
}

ReportTable ItemQuery::list(const QString& statement)
{
    ReportTable table;
    table.title = QStringLiteral("消费项目明细报表");
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return table;
    for (; !rs.isEOF(); rs.moveNext())
        table.rows << QStringList{rs.getString(QStringLiteral("xmbh")),
                                  rs.getString(QStringLiteral("xmm")),
                                  rs.getString(QStringLiteral("lbm")),
                                  rs.getString(QStringLiteral("xmpy")),
                                  Sql::money(rs.getDouble(QStringLiteral("dj"))),
                                  rs.getString(QStringLiteral("dw"))};
    return table;
}
