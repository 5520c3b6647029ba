#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>

class Database;

// The takings as checkout recorded them: the bills of a time range by cashier and payment method
// with the lines of one bill (收银明细), and the sums per payment method (收银汇总). Every
// statement of both reports is here. Lists end with their "合计" row.
class CashierReport final
{
public:
    static inline const QString kBillColumns = QStringLiteral(
        "账单号,100;餐桌名,70;消费金额,80;优惠金额,80;实收金额,80;会员编号,80;结账方式,80;结账人,90;"
        "结账时间,150;备注,50");
    static inline const QString kLineColumns = QStringLiteral(
        "序号,50;项目名,120;餐桌名,70;数量,60;单价,60;折扣,60;应收金额,80;记账人,90;消费时间,160");
    static inline const QString kSummaryColumns =
        QStringLiteral("结账方式,100;优惠金额,100;实收金额,100;消费金额,100");
    static inline const QString kAll = QStringLiteral("全部");
    static inline const QString kTotal = QStringLiteral("合计");
    // The columns of a bill row.
    enum BillColumn
    {
        Number,
        Table,
        Gross,
        Discount,
        Received,
        Member,
        Method,
        Cashier,
        Time,
        Note
    };

    struct LineRow
    {
        QStringList texts;
        bool returned = false; // red
        bool gift = false;     // orange
    };

    explicit CashierReport(Database& db);

    // "全部" and every operator; "全部", the payment methods and those the restaurant names.
    QStringList cashiers();
    QStringList methods();

    // The bills settled in the range, in time order; "全部" matches every cashier or method, a
    // method also a bill paid in part by it.
    QList<QStringList> bills(const QDateTime& start, const QDateTime& end, const QString& cashier,
                             const QString& method);
    static QString detailSubtitle(const QDateTime& start, const QDateTime& end, const QString& cashier,
                                  const QString& method);
    // A bill's lines, numbered from 1, returns and gifts marked.
    QList<LineRow> lines(const QString& bill);

    // Discount, received and consumption per payment method, a mixed bill's parts each under its
    // own method (its discount with its first part).
    QList<QStringList> summary(const QDateTime& start, const QDateTime& end);
    static QString summarySubtitle(const QDateTime& start, const QDateTime& end);

    // Bill rows of a statement on jzhz, as both bill lists show them, and their "合计" row.
    static QList<QStringList> billRows(Database& db, const QString& statement);

private:
    Database& m_db;
};
