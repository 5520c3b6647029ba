#pragma once

#include <QColor>
#include <QList>
#include <QString>

class Database;

// The lines pane without its widget: the open consumption lines of one table and their total.
class TableLines final
{
public:
    enum class Mark
    {
        None,
        Return,
        Gift
    };

    struct Line
    {
        QString number;   // 序号
        QString item;     // 消费项目, with "(退)" or "(赠)"
        QString quantity; // 数量
        QString price;    // 单价
        QString ratio;    // 折扣
        QString discount; // 优惠金额
        QString amount;   // 应收金额
        QString clerk;    // 记账人
        QString time;     // 消费时间
        Mark mark = Mark::None;
    };

    static const QString kColumns;

    explicit TableLines(Database& db);

    // The lines in order of time, then the "合计" row (failures are reported "ADO Error: %s").
    QList<Line> load(const QString& table);

    // Return lines are red, gift lines orange; others keep the list's own colour (invalid).
    static QColor colour(Mark mark);

private:
    Database& m_db;
};
