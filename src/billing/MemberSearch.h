#pragma once

#include <optional>
#include <QList>
#include <QString>

class Database;

// The member list of the checkout: members found by initials, number, name or card number.
class MemberSearch final
{
public:
    struct Member
    {
        QString number; // hy.bh
        QString name;
        QString sex;
        QString level;
        QString ratio; // the level's discount ratio, "%.2f"
        QString card;
    };

    explicit MemberSearch(Database& db);

    // The search text as the box keeps it: without blanks and quote characters.
    static QString clean(const QString& text);
    // Members whose initials, number, name or card number begin with the text; an empty text
    // finds nobody (the list is hidden).
    QList<Member> search(const QString& text);
    QList<Member> all();
    // The member with this number, when there is one.
    std::optional<Member> find(const QString& number);

private:
    QList<Member> list(const QString& condition);

    Database& m_db;
};
