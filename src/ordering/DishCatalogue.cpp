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
    // Enter orders the first row: the dishes whose initials or number begin with the text come
    // first ("gp" is 果盘 before 冬瓜排骨汤), each group by number.
    const QString text = cleanSearchText(searchText);
    const QString inside = Sql::quote(QLatin1Char('%') + text + QLatin1Char('%'));
    const QString leading = Sql::quote(text + QLatin1Char('%'));
    return QStringLiteral("select * from xm where (xmpy like %1 or xmbh like %1) and nfxs='1' "
                          "order by case when xmpy like %2 or xmbh like %2 then 0 else 1 end, xmbh")
        .arg(inside, leading);
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
