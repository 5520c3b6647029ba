#include "DishCatalogue.h"

#include "Database.h"
#include "Sql.h"

#include <QRegularExpression>

DishCatalogue::DishCatalogue(Database& db) : m_db(db) {}

QString DishCatalogue::wholeCatalogue()
{
    return QStringLiteral("select * from Xm order by xmbh");
}

QString DishCatalogue::inCategory(const QString& category)
{
    if (category == kAllCategories)
        return QStringLiteral("select * from xm ");
    return QStringLiteral("select * from xm where lbm=") + Sql::quote(category);
}

QString DishCatalogue::matching(const QString& searchText)
{
    const QString pattern = Sql::quote(QLatin1Char('%') + cleanSearchText(searchText) + QLatin1Char('%'));
    return QStringLiteral("select * from xm where (xmpy like %1 or xmbh like %1) and nfxs='1' order by xmbh")
        .arg(pattern);
}

QString DishCatalogue::cleanSearchText(const QString& text)
{
    static const QRegularExpression removed(QStringLiteral("['\\[\\]]"));
    static const QRegularExpression leadingBlanks(QStringLiteral("^[ \\t\\r\\n\\v\\f]+"));
    return QString(text).remove(removed).remove(leadingBlanks);
}

QStringList DishCatalogue::categoryChoices()
{
    QStringList choices{kAllCategories};
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from lb ")))
        for (; !rs.isEOF(); rs.moveNext())
            choices << rs.getString(QStringLiteral("lbm"));
    return choices;
}

QList<QStringList> DishCatalogue::rows(const QString& statement)
{
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, statement))
        return result;
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString discount =
            field("sfdz") == QLatin1String("0") ? QStringLiteral("不允许") : QStringLiteral("允许");
        result.append({field("xmbh"), field("xmm"), field("xmpy"),
                       Sql::money(rs.getDouble(QStringLiteral("dj"))), field("dw"), field("lbm"), discount});
    }
    return result;
}
