#pragma once

#include "ReportTable.h"

class Database;

// 消费项目查询: the items of the catalogue, all, of one category, or whose pinyin code or name
// contains a text. Every statement of the query is here.
class ItemQuery final
{
public:
    static const QString kColumns;
    static const QString kAll;

    explicit ItemQuery(Database& db);

    // "显示全部" and every category.
    QStringList categories();
    // The items of a category ("显示全部": every item).
    ReportTable ofCategory(const QString& category);
    ReportTable containing(const QString& text);

private:
    ReportTable list(const QString& statement);

    Database& m_db;
};
