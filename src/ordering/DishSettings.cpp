#include "DishSettings.h"

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

QString amount(const QString& typed)
{
    return Sql::money(Field::toDouble(typed));
}

// Money and quantities are shown and edited with two decimals.
QString money(const Recordset& rs, const char* column)
{
    return Sql::money(rs.getDouble(QLatin1String(column)));
}

} // namespace

DishSettings::DishSettings(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QList<QStringList> DishSettings::all()
{
    return rows(QString());
}

QList<QStringList> DishSettings::inCategory(const QString& category)
{
    return rows(QStringLiteral("where lbm=") + Sql::quote(category));
}

QList<QStringList> DishSettings::search(const QString& text)
{
    const QString pattern =
        Sql::quote(QLatin1Char('%') + QString(text).remove(QLatin1Char('\'')) + QLatin1Char('%'));
    return rows(QStringLiteral("where xmpy like %1 or xmbh like %1").arg(pattern));
}

QList<QStringList> DishSettings::rows(const QString& where)
{
    QList<QStringList> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xm %1 order by xmbh").arg(where)))
        return result;
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    for (; !rs.isEOF(); rs.moveNext())
        result.append(
            {field("xmbh"), field("xmm"), field("xmpy"), money(rs, "dj"), money(rs, "jhdj"),
             money(rs, "ckcb"),
             field("kcsp") == QLatin1String("1") ? QStringLiteral("是") : QStringLiteral("否"),
             field("nfxs") == QLatin1String("0") ? QStringLiteral("停用") : QStringLiteral("可用"),
             field("dw"), field("lbm"),
             field("sfdz") == QLatin1String("0") ? QStringLiteral("不允许") : QStringLiteral("允许")});
    return result;
}

DishSettings::Dish DishSettings::blank()
{
    Dish dish;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select max(xmbh) as maxxmbh from xm ")))
        dish.number = QString::number(Field::toInt(rs.getString(QStringLiteral("maxxmbh"))) + 1);
    return dish;
}

DishSettings::Dish DishSettings::read(const QString& name)
{
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xm where xmm=") + Sql::quote(name)) ||
        rs.isEOF())
        return {};
    const auto field = [&rs](const char* column) { return rs.getString(QLatin1String(column)); };
    return {field("xmbh"),
            field("xmm"),
            field("xmpy"),
            money(rs, "dj"),
            money(rs, "jhdj"),
            money(rs, "ckcb"),
            field("dw"),
            field("lbm"),
            field("kcsp") == QLatin1String("1"),
            money(rs, "dqkc"),
            field("sfdz") == QLatin1String("1"),
            field("nfxs") == QLatin1String("1")};
}

QList<DishSettings::CategoryChoice> DishSettings::categories()
{
    QList<CategoryChoice> result;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select lbm, sfdz from lb order by id")))
        return result;
    for (; !rs.isEOF(); rs.moveNext())
        result.append({rs.getString(QStringLiteral("lbm")),
                       rs.getString(QStringLiteral("sfdz")) != QLatin1String("0")});
    return result;
}

bool DishSettings::mayChange(const QString& selected)
{
    if (!selected.isEmpty())
        return true;
    m_prompt.warn(QStringLiteral("请选定要删除的项目!"));
    return false;
}

DishSettings::Result DishSettings::add(const Dish& dish)
{
    Result refusal;
    if (!check(dish, refusal))
        return refusal;
    if (nameExists(dish.name))
        return refuse(QStringLiteral("已经存在此项目!"), Input::Name);
    if (numberExists(Field::toInt(dish.number)))
        return refuse(QStringLiteral("项目编号重复!"), Input::Number);
    return write(QString(), dish);
}

DishSettings::Result DishSettings::change(const QString& oldName, const Dish& dish)
{
    Result refusal;
    if (!check(dish, refusal))
        return refusal;
    if (dish.name != oldName && nameExists(dish.name))
        return refuse(QStringLiteral("已经存在此项目!"), Input::Name);
    const int number = Field::toInt(dish.number);
    if (number != Field::toInt(read(oldName).number) && numberExists(number))
        return refuse(QStringLiteral("项目编号重复!"), Input::Number);
    return write(oldName, dish);
}

DishSettings::Result DishSettings::write(const QString& oldName, const Dish& dish)
{
    // A category without discount admits no dish with discount, whatever the box said.
    bool discountAllowed = dish.discountAllowed;
    for (const CategoryChoice& category : categories())
        if (category.name == dish.category && !category.discountAllowed)
            discountAllowed = false;

    const QString number = QString::number(Field::toInt(dish.number));
    const QString price = Sql::quote(amount(dish.price));
    const QString stock = amount(dish.stock);
    if (oldName.isEmpty()) {
        Recordset rs;
        return Result::of(m_db.OpenRecordset(
            rs, QStringLiteral("insert into xm(xmbh,xmm,xmpy,dj,dw,lbm,sfdz,jhdj,ckcb,kcsp,dqkc,nfxs) values "
                               "(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12)")
                    .arg(number, Sql::quote(dish.name), Sql::quote(dish.pinyin), price, Sql::quote(dish.unit),
                         Sql::quote(dish.category), flag(discountAllowed),
                         Sql::quote(amount(dish.purchasePrice)), Sql::quote(amount(dish.referenceCost)),
                         flag(dish.stockItem), stock, flag(dish.forSale))));
    }
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(
            QStringLiteral("update xm set xmbh=%1,xmm=%2,xmpy=%3,dj=%4,dw=%5,lbm=%6,sfdz=%7,jhdj=%8,"
                           "ckcb=%9,kcsp=%10,dqkc=%11,nfxs=%12 where xmm=%13")
                .arg(number, Sql::quote(dish.name), Sql::quote(dish.pinyin), price, Sql::quote(dish.unit),
                     Sql::quote(dish.category), flag(discountAllowed), Sql::quote(amount(dish.purchasePrice)),
                     Sql::quote(amount(dish.referenceCost)), flag(dish.stockItem), stock, flag(dish.forSale),
                     Sql::quote(oldName)));
        m_db.ExecuteSql(QStringLiteral("update xfmx set xfxm=%1 where xfxm=%2")
                            .arg(Sql::quote(dish.name), Sql::quote(oldName)));
        transaction.commit();
    } catch (const DbError&) {
        return refuse(QStringLiteral("更改失败!"));
    }
    return Result::of(true);
}

bool DishSettings::remove(const QString& selected)
{
    if (!mayChange(selected))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs,
                            QStringLiteral("select top 1 xfbh from xfmx where xfxm=") + Sql::quote(selected)))
        return false;
    if (!rs.isEOF()) {
        m_prompt.warn(QStringLiteral("此项目已经被消费过,不能删除！"));
        return false;
    }
    if (!m_prompt.ask(QStringLiteral("你真的删除此项目吗,删除后不可恢复?")))
        return false;
    return m_db.OpenRecordset(
        rs, QStringLiteral("delete * from xm where xmm=%1 and xmm not in(select xfxm from xfmx "
                           "where xfxm is not null)")
                .arg(Sql::quote(selected)));
}

bool DishSettings::renumber()
{
    if (!m_prompt.ask(QStringLiteral("你真的要重算编号吗?重算后项目编号从1开始累计")))
        return false;
    try {
        Transaction transaction(m_db);
        Recordset dishes = m_db.query(QStringLiteral("select xmm from xm order by xmbh "));
        // Numbers are unique at every step: first move every dish below all present numbers
        // (keeping their order), then hand out 1, 2, 3...
        const int largest = Field::toInt(
            m_db.query(QStringLiteral("select max(abs(xmbh)) as m from xm")).getString(QStringLiteral("m")));
        m_db.ExecuteSql(QStringLiteral("update xm set xmbh=xmbh-%1").arg(2 * largest + 1));
        for (int number = 1; !dishes.isEOF(); dishes.moveNext(), ++number)
            m_db.ExecuteSql(
                QStringLiteral("update xm set xmbh=%1 where xmm=%2")
                    .arg(QString::number(number), Sql::quote(dishes.getString(QStringLiteral("xmm")))));
        transaction.commit();
    } catch (const DbError&) {
        refuse(QStringLiteral("重算编号发生异常,重算编号失败!"));
        return false;
    }
    return true;
}

bool DishSettings::check(const Dish& dish, Result& refusal)
{
    if (Field::toInt(dish.number) == 0)
        refusal = refuse(QStringLiteral("项目编号非法,应为不为零的数字"), Input::Number);
    else if (dish.name.isEmpty())
        refusal = refuse(QStringLiteral("项目名不能为空"), Input::Name);
    else if (dish.unit.isEmpty())
        refusal = refuse(QStringLiteral("单位不能为空"), Input::Unit);
    // Judged as it is stored, to the cent.
    else if (qRound64(Field::toDouble(dish.price) * 100) == 0)
        refusal = refuse(QStringLiteral("单价请输入非零数字!"), Input::Price);
    else
        return true;
    return false;
}

bool DishSettings::nameExists(const QString& name)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select xmbh from xm where xmm=") + Sql::quote(name)) &&
           !rs.isEOF();
}

bool DishSettings::numberExists(int number)
{
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select xmbh from xm where xmbh=%1").arg(number)) &&
           !rs.isEOF();
}

DishSettings::Result DishSettings::refuse(const QString& message, Input input)
{
    m_prompt.warn(message);
    return {false, message, input};
}
