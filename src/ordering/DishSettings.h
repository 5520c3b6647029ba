#pragma once

#include "Outcome.h"

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The dishes of the items page (消费项目设置), its dish dialog and "重算编号". Consumption lines
// refer to a dish by name: renaming a dish renames it in every line, settled or not, and a dish
// that was ever ordered stays. Every message and question goes through the prompt.
class DishSettings final
{
public:
    static inline const QString kRight = QStringLiteral("xmqx");
    static inline const QString kColumns =
        QStringLiteral("编号,40;项目名称,100;简拼,60;单价,50;进价,50;参考成本,65;"
                       "库存商品,65;状态,60;单位,40;类别,60;打折许可,65");
    enum Column
    {
        Number,
        Name,
        Pinyin,
        Price,
        PurchasePrice,
        ReferenceCost,
        StockItem,
        State,
        Unit,
        Category,
        Discount,
        ColumnCount
    };
    static inline const QString kAddTitle = QStringLiteral("添加项目信息");
    static inline const QString kChangeTitle = QStringLiteral("修改项目信息");
    // Title of the printed and exported dish list.
    static inline const QString kReportTitle = QStringLiteral("项目明细报表");
    // The unit box's offers, in order; the unit may also be typed.
    static inline const QStringList kUnits = {
        QStringLiteral("份"),   QStringLiteral("斤"), QStringLiteral("瓶"),
        QStringLiteral("盒"),   QStringLiteral("杯"), QStringLiteral("个"),
        QStringLiteral("千克"), QStringLiteral("锅"), QStringLiteral("支")};

    enum class Input
    {
        None,
        Number,
        Name,
        Unit,
        Price
    };
    using Result = Outcome<Input>;

    // The dish dialog's fields; numbers as typed.
    struct Dish
    {
        QString number;
        QString name;
        QString pinyin;
        QString price;
        QString purchasePrice;
        QString referenceCost;
        QString unit = QStringLiteral("份");
        QString category;
        bool stockItem = false;
        QString stock;
        bool discountAllowed = true;
        bool forSale = true;
    };

    // An entry of the dialog's category box. A category without discount clears and disables the
    // dish's discount box.
    struct CategoryChoice
    {
        QString name;
        bool discountAllowed = true;
    };

    DishSettings(Database& db, Prompt& prompt);

    // The dish list: every dish (显示全部), the dishes of a category, or those whose initials or
    // number hold the search text (dishes not for sale included). Ordered by number.
    QList<QStringList> all();
    QList<QStringList> inCategory(const QString& category);
    QList<QStringList> search(const QString& text);

    // The add dialog's first fields: the next free number (1 on an empty catalogue) and "份".
    Dish blank();
    // The dish as the change dialog shows it; empty fields when there is none of that name.
    Dish read(const QString& name);
    QList<CategoryChoice> categories();

    // `selected` is "" when no row is selected ("请选定要删除的项目!", as the delete command says).
    bool mayChange(const QString& selected);

    // The dialog's OK, checks in order: number, name, unit, price, existing name, existing number.
    // A dish of a category without discount is stored without discount.
    Result add(const Dish& dish);
    // As add; in one transaction every consumption line follows the new name.
    Result change(const QString& oldName, const Dish& dish);
    // Refused for a dish that was ever ordered; asks first. True when the row is gone.
    bool remove(const QString& selected);

    // "重算编号": asks, then numbers the dishes 1, 2, 3... in their present order, all or nothing.
    bool renumber();

private:
    QList<QStringList> rows(const QString& where);
    bool check(const Dish& dish, Result& refusal);
    Result write(const QString& oldName, const Dish& dish);
    bool nameExists(const QString& name);
    bool numberExists(int number);
    Result refuse(const QString& message, Input input = Input::None);

    Database& m_db;
    Prompt& m_prompt;
};
