#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// A bill paid in parts: some of 实收金额 by the restaurant's own methods (银行卡, 微信, ...) or
// 其他, the rest in cash. A bill of one method keeps that method in jzhz and no parts; a bill of
// several keeps "混合" in jzhz and its parts in jzfk, cash first, the first part carrying the
// bill's discount in the reports. The methods the restaurant names are kept in fkfs.
class PaymentParts final
{
public:
    static inline const QString kMixed = QStringLiteral("混合");
    static inline const QString kCash = QStringLiteral("现金");
    static inline const QString kOther = QStringLiteral("其他");

    struct Part
    {
        QString method;
        qint64 cents = 0;
        friend bool operator==(const Part&, const Part&) = default;
    };

    // The methods named in the settings, in the order they were named.
    static QStringList named(Database& db);
    // What a part beside cash may be paid with: the named methods and 其他.
    static QStringList partMethods(Database& db);
    // Names a method; refuses an empty name, one of the fixed methods and one named before, with
    // the message shown. Removes a named method; bills that have it keep it.
    static bool addMethod(Database& db, const QString& name);
    static bool removeMethod(Database& db, const QString& name);

    // The sum of the parts, in cents.
    static qint64 sum(const QList<Part>& parts);
    // The parts of a bill whose cash is what the parts leave of `received`: cash first when there
    // is any, a method given twice once.
    static QList<Part> withCash(const QList<Part>& parts, qint64 received);
    // The method jzhz keeps for a bill of these parts (cash included): the one method, or 混合.
    static QString storedMethod(const QList<Part>& all);
    // Writes the bill's parts inside the caller's transaction, replacing those it had.
    static void write(Database& db, const QString& bill, const QList<Part>& all);
    // The parts of a stored bill beside its cash: a bill of a named method alone is one part.
    static QList<Part> beside(Database& db, const QString& bill);
    // Every part of a stored bill, cash included; one part for a bill of one method.
    static QList<Part> of(Database& db, const QString& bill);

    // The rows (jzfs, dzje, ssje, xfje) of the bills of a condition on jzhz, one per part: a
    // bill of one method as it is stored, a mixed bill's parts under their own methods. The
    // condition names no column of jzfk (jzfs, zdh).
    static QString byMethod(const QString& where);
    // The condition on jzhz of a bill paid (in part) by a method ("like" pattern).
    static QString paidBy(const QString& quotedPattern);
    // A bill's parts as "微信 100.00，现金 20.00".
    static QString text(const QList<Part>& parts);
};
