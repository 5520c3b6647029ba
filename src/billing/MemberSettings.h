#pragma once

#include "Outcome.h"

#include <QDate>
#include <QList>
#include <QStringList>

class Database;
class Prompt;

// The members of the members page (会员管理), its member dialog (增加会员) and the member query
// dialog (会员查询). A member who has a bill stays. Every message and question goes through the
// prompt.
class MemberSettings final
{
public:
    static inline const QString kRight = QStringLiteral("hyqx");
    // The page's list and the query dialog's list; both show the same values.
    static inline const QString kColumns = QStringLiteral(
        "编号,40;姓名,60;简拼,40;姓别,45;生日,80;消费总额,65;电话,80;会员等级,80;折扣,50;卡号,100;备注,60");
    static inline const QString kQueryColumns = QStringLiteral(
        "编号,50;姓名,70;简拼,50;姓别,55;生日,90;消费总额,80;电话,80;会员等级,80;折扣,60;卡号,120;备注,60");
    enum Column
    {
        Number,
        Name,
        Initials,
        Sex,
        Birthday,
        Total,
        Phone,
        Level,
        Ratio,
        Card,
        Note,
        ColumnCount
    };
    static inline const QString kReportTitle = QStringLiteral("会员信息报表");
    static inline const QString kQueryReportTitle = QStringLiteral("会员信息表");

    enum class Input
    {
        None,
        Name,
        Level
    };
    using Result = Outcome<Input>;

    // The member dialog's fields. The initials are filled from the name when the name box is
    // left (GetPinyinInitials) and may be edited.
    struct Member
    {
        QString name;
        QString initials;
        QString sex;
        QDate birthday;
        QString phone;
        int level = 0; // hydj.id; 0 for none chosen
        QString card;
        QString note;
    };

    MemberSettings(Database& db, Prompt& prompt);

    // Every member, or those whose name, initials, number or card number begin with the text.
    QList<QStringList> rows(const QString& search = QString());
    // The member as the change dialog shows it; empty fields when the number is unknown.
    Member read(int number);

    // `selected` is 0 when no row is selected ("请选定要修改的会员!").
    bool mayChange(int selected);

    // The dialog's OK: "会员姓名不能为空!", then a level must be chosen.
    Result add(const Member& member);
    Result change(int number, const Member& member);
    // Asks "是否真的要删除此会员!", then refuses a member who has a bill. True when the row is gone.
    bool remove(int selected);

private:
    // Adds when number is 0.
    Result save(int number, const Member& member);
    Result refuse(const QString& message, Input input);

    Database& m_db;
    Prompt& m_prompt;
};
