#pragma once

#include <optional>
#include <QDateTime>
#include <QList>
#include <QStringList>

class Database;
class Prompt;

// 交班单: what an operator's shift took, from their login to the hand-over: the bills with
// 消费, 优惠 and 实收, the money per method, bills on account and free bills, round-offs, returns
// and gifts with their value, deposits taken; the cash counted in the drawer and the difference.
// Kept in jbjl with its printed text, so that 交班记录 reprints it as it was.
class HandOverSlip final
{
public:
    static inline const QString kColumns = QStringLiteral(
        "编号,50;交班时间,150;操作员,90;接班时间,150;账单数,60;实收金额,80;应有现金,80;实点现金,80;差额,70");

    struct Count
    {
        int count = 0;
        qint64 cents = 0;
    };
    struct Slip
    {
        QString who;
        QDateTime start;
        QDateTime end;
        Count bills;
        qint64 gross = 0;
        qint64 discount = 0;
        qint64 received = 0;
        QList<QPair<QString, qint64>> methods; // what was paid, per method
        qint64 cash = 0;                       // the cash row: what the drawer should hold
        Count onAccount;
        Count free; // their 消费
        qint64 roundOff = 0;
        Count returns;
        Count gifts;
        Count deposits;
        std::optional<qint64> counted; // 实点现金, once typed
    };

    // The shift of `who` from `start` to `end`: bills by their cashier and time, lines by who
    // recorded them and when, bookings by who took them and when.
    static Slip compute(Database& db, const QString& who, const QDateTime& start, const QDateTime& end);
    // Takes the typed cash; "实点现金输入错误,请重新输入!" when it is not an amount.
    static bool count(Prompt& prompt, Slip& slip, const QString& typed);
    // The slip's lines in the receipt's widths, under the restaurant's name.
    static QStringList lines(const Slip& slip, const QString& restaurant);
    // Keeps the slip with its lines; returns its number. Reports its own failure.
    static qint64 keep(Database& db, const Slip& slip, const QStringList& lines);

    // The hand-overs of a period, latest last, for one operator or "全部".
    static QList<QStringList> records(Database& db, const QDateTime& start, const QDateTime& end,
                                      const QString& who);
    // A kept slip's lines, to print again.
    static QStringList keptLines(Database& db, qint64 number);
};
