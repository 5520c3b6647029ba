#pragma once

#include "Outcome.h"

#include <QDate>
#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The waiters page (服务生设置) and its waiter dialog. The initials that the waiter picker searches
// are computed from the name on every save. Every message is shown through the prompt.
class WaiterSettings final
{
public:
    static inline const QString kRight = QStringLiteral("fwsqx");
    static inline const QString kColumns =
        QStringLiteral("编号,50;姓名,70;简拼,80;性别,40;联系方式,80;身份证,120;出生日期,80;");
    enum Column
    {
        Number,
        Name,
        Initials,
        Sex,
        Contact,
        IdCard,
        BirthDate,
        ColumnCount
    };
    // The sex box, in order.
    static inline const QStringList kSexes = {QStringLiteral("男"), QStringLiteral("女")};

    enum class Input
    {
        None,
        Name
    };
    using Result = Outcome<Input>;

    // The waiter dialog's fields.
    struct Waiter
    {
        QString name;
        QString sex;
        QDate birthDate;
        QString contact;
        QString idCard;
    };

    WaiterSettings(Database& db, Prompt& prompt);

    QList<QStringList> rows();
    // The waiter as the change dialog shows it; empty fields when the number is unknown.
    Waiter read(int id);

    // `selected` is 0 when no row is selected ("请选定要修改的服务生!").
    bool mayChange(int selected);

    // The dialog's OK: "服务生姓名不能为空!", then the row is written with the name's initials.
    Result add(const Waiter& waiter);
    Result change(int id, const Waiter& waiter);
    // Asks "你真的要删除此服务生吗，删除后不可恢复?"; the visits the waiter served keep the number.
    // True when the row is gone; nothing happens when no row is selected (0).
    bool remove(int selected);

private:
    // Adds when id is 0.
    Result save(int id, const Waiter& waiter);

    Database& m_db;
    Prompt& m_prompt;
};
