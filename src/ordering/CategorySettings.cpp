#include "CategorySettings.h"

#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("'1'") : QStringLiteral("'0'");
}

// Counts are stored as the integers they were read as.
QString count(const QString& typed)
{
    return Sql::quote(QString::number(Field::toInt(typed)));
}

} // namespace

CategorySettings::CategorySettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> CategorySettings::rows()
{
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from lb order by id ")))
        return result;
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    for (; !rs.isEOF(); rs.moveNext())
        result.append(
            {field("id"), field("lbm"),
             field("sfdz") == QLatin1String("1") ? QStringLiteral("允许") : QStringLiteral("不允许"),
             field("dyjmc")});
    return result;
}

CategorySettings::Category CategorySettings::read(const QString& name)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from lb where lbm=") + Sql::quote(name)) ||
        rs.isEOF())
        return {};
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    return {field("lbm"),   field("sfdz") == QLatin1String("1"),
            field("dyjmc"), field("dybt"),
            field("dyfs"),  field("qskh"),
            field("jskh"),  field("dyqz") == QLatin1String("1")};
}

bool CategorySettings::mayChange(const QString& selected)
{
    if (!selected.isEmpty())
        return true;
    m_prompt.warn(QStringLiteral("请选定要删除的类别!"));
    return false;
}

CategorySettings::Result CategorySettings::add(const Category& category)
{
    Result refusal;
    if (!check(category, refusal))
        return refusal;
    if (exists(category.name))
        return refuse(QStringLiteral("已经存在此类别,请新输入!"), Input::NameCleared);
    Recordset rs;
    return Result::of(m_db.OpenRecordset(
        rs, QStringLiteral("insert into lb(lbm,sfdz,dyjmc,dybt,dyfs,dyqz,qskh,jskh) values "
                           "(%1,%2,%3,%4,%5,%6,%7,%8)")
                .arg(Sql::quote(category.name), flag(category.discountAllowed), Sql::quote(category.printer),
                     Sql::quote(category.title), count(category.copies), flag(category.cut),
                     count(category.blankLinesBefore), count(category.blankLinesAfter))));
}

CategorySettings::Result CategorySettings::change(const QString& oldName, const Category& category)
{
    Result refusal;
    if (!check(category, refusal))
        return refusal;
    if (category.name != oldName && exists(category.name))
        return refuse(QStringLiteral("已经存在此类别!"), Input::Name);
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(
            QStringLiteral(
                "Update lb set lbm=%1,sfdz=%2,dyjmc=%3,dybt=%4,dyfs=%5,dyqz=%6,qskh=%7,jskh=%8 where lbm=%9")
                .arg(Sql::quote(category.name), flag(category.discountAllowed), Sql::quote(category.printer),
                     Sql::quote(category.title), count(category.copies), flag(category.cut),
                     count(category.blankLinesBefore), count(category.blankLinesAfter), Sql::quote(oldName)));
        m_db.ExecuteSql(
            QStringLiteral("Update xm set lbm=%1,sfdz=%2 where lbm=%3")
                .arg(Sql::quote(category.name), flag(category.discountAllowed), Sql::quote(oldName)));
        transaction.commit();
    } catch (const DbError&) {
        return refuse(QStringLiteral("更改失败!"));
    }
    return Result::of(true);
}

bool CategorySettings::remove(const QString& selected)
{
    if (!mayChange(selected))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs,
                            QStringLiteral("select top 1 xmbh from xm where lbm=") + Sql::quote(selected)))
        return false;
    if (!rs.isEOF()) {
        m_prompt.warn(QStringLiteral("此类别中已设有项目,不能删除！"));
        return false;
    }
    return m_db.OpenRecordset(rs, QStringLiteral("delete * from lb where lbm=") + Sql::quote(selected));
}

bool CategorySettings::check(const Category& category, Result& refusal)
{
    if (category.name.isEmpty())
        refusal = refuse(QStringLiteral("请输入类别名!"), Input::Name);
    // The message promises more than zero copies; a negative count prints nothing either.
    else if (Field::toInt(category.copies) <= 0)
        refusal = refuse(QStringLiteral("打印份数必须大于零!"), Input::Copies);
    else
        return true;
    return false;
}

bool CategorySettings::exists(const QString& name)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select id from lb where lbm=") + Sql::quote(name)) &&
           !rs.isEOF();
}

CategorySettings::Result CategorySettings::refuse(const QString& message, Input input)
{
    m_prompt.warn(message);
    return {false, message, input};
}
