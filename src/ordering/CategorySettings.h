#pragma once

#include "KitchenTickets.h"
#include "Outcome.h"

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The dish categories of the items page (消费项目设置) and its category dialog. Dishes refer to
// their category by name and take its discount flag. Every message is shown through the prompt.
class CategorySettings final
{
public:
    static inline const QString kRight = QStringLiteral("xmlbqx");
    static inline const QString kColumns =
        QStringLiteral("类别编号,70;类别名称,100;打折许可,70;厨房打印机,150;");
    enum Column
    {
        Number,
        Name,
        Discount,
        Printer,
        ColumnCount
    };
    static inline const QString kAddTitle = QStringLiteral("添加类别信息");
    static inline const QString kChangeTitle = QStringLiteral("修改类别信息");
    // First entry of the printer box, chosen by default: the category's tickets go nowhere.
    static inline const QString kNoKitchenPrinter = KitchenTickets::kNoKitchenPrinter;

    enum class Input
    {
        None,
        Name,
        // The name, emptied so that a new one is typed.
        NameCleared,
        Copies
    };
    using Result = Outcome<Input>;

    // The category dialog's fields; numbers as typed.
    struct Category
    {
        QString name;
        bool discountAllowed = true;
        QString printer = kNoKitchenPrinter;
        QString title;
        QString copies = QStringLiteral("1");
        QString blankLinesBefore = QStringLiteral("0");
        QString blankLinesAfter = QStringLiteral("0");
        bool cut = false;
    };

    CategorySettings(Database& db, Prompt& prompt);

    QList<QStringList> rows();
    // The category as the change dialog shows it; default fields when there is none of that name.
    Category read(const QString& name);

    // `selected` is "" when no row is selected ("请选定要删除的类别!").
    bool mayChange(const QString& selected);

    // The dialog's OK, checks in order: name, copies, existing name.
    Result add(const Category& category);
    // As add; in one transaction the category's dishes follow its new name and discount flag.
    Result change(const QString& oldName, const Category& category);
    // Refused while the category has dishes; asks nothing. True when the row is gone.
    bool remove(const QString& selected);

private:
    bool check(const Category& category, Result& refusal);
    bool exists(const QString& name);
    Result refuse(const QString& message, Input input = Input::None);

    Database& m_db;
    Prompt& m_prompt;
};
