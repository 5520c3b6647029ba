#pragma once

#include "Outcome.h"

#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The member levels of the members page and the level dialog. A level that a member holds is kept
// when deleted. Every message goes through the prompt.
class MemberLevelSettings final
{
public:
    static inline const QString kColumns = QStringLiteral("编号,50;等级名称,100;折扣,60;");
    enum Column
    {
        Number,
        Name,
        Ratio,
        ColumnCount
    };
    static inline const QString kAddTitle = QStringLiteral("增加会员等级");
    static inline const QString kChangeTitle = QStringLiteral("修改会员等级");

    enum class Input
    {
        None,
        Name,
        Ratio
    };
    using Result = Outcome<Input>;

    struct Level
    {
        int id = 0;
        QString name;
        QString ratio; // as typed, or "%.2f" when read
    };

    MemberLevelSettings(Database& db, Prompt& prompt);

    // The levels list, ratios "%.2f".
    QList<QStringList> rows();
    // The levels for the member dialog's level box.
    QList<Level> levels();

    // `selected` is 0 when no row is selected ("请选定要修改的会员等级!").
    bool mayChange(int selected);

    // The dialog's OK: "名称不能为空!", "折扣非法,大于0并且小于等于1!"; then "更新成功!".
    Result add(const QString& name, const QString& ratio);
    Result change(int id, const QString& name, const QString& ratio);
    // Deletes the level unless a member holds it, and says "删除成功，已经使用的等级不会被删除!"
    // either way. True when the row is gone.
    bool remove(int selected);

private:
    // Adds when id is 0.
    Result save(int id, const QString& name, const QString& ratio);

    Database& m_db;
    Prompt& m_prompt;
};
