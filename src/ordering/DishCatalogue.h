#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The dish catalogue as the ordering screens search it: the whole catalogue, one category, or
// the dishes for sale whose pinyin initials or number hold a search text. Each search gives the
// rows of the dish list, one per dish in statement order, in the list's columns (kColumns).
class DishCatalogue final
{
public:
    // Column specification of the dish list.
    static inline const QString kColumns =
        QStringLiteral("编号,50;项目名称,100;简拼,60;单价,60;单位,50;类别,70;是否打折,80");
    // Category box entry that stands for every category.
    static inline const QString kAllCategories = QStringLiteral("显示全部");
    enum Column
    {
        Number,
        Name,
        Pinyin,
        Price,
        Unit,
        Category,
        Discount,
        ColumnCount
    };

    explicit DishCatalogue(Database& db);

    // Statements: every dish (for sale or not) by number, when ordering starts; the dishes of a
    // category (every dish for kAllCategories), when the category box changes; the dishes for
    // sale matching the search text, on every change of the search box, those whose initials or
    // number begin with it first.
    static QString wholeCatalogue();
    static QString inCategory(const QString& category);
    static QString matching(const QString& searchText);

    // The search text as it is searched: without "'", "[" and "]", leading blanks trimmed.
    static QString cleanSearchText(const QString& text);

    // The category box: kAllCategories, then every category.
    QStringList categoryChoices();

    // Runs a statement and gives its dishes as list rows. A failing statement has been reported
    // through the prompt and gives no rows.
    QList<QStringList> rows(const QString& statement);

private:
    Database& m_db;
};
