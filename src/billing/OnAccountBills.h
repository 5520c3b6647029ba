#pragma once

#include "Checkout.h"

#include <optional>

// The bills left on account: found by date range, bill number and member number, with their
// lines; a chosen one is handed to the checkout in on-account mode.
class OnAccountBills final
{
public:
    static inline const QString kBillColumns =
        QStringLiteral("账单号,100;餐桌名,100;消费金额,80;优惠金额,80;实收金额,80;会员编号,80;结账方式,80;"
                       "结账人,90;结账时间,148;备注,50");
    static inline const QString kLineColumns =
        QStringLiteral("挂账账单号,120;消费项目,120;消费数量,80;项目单价,80;折扣,50;打折金额,80;金额,80;"
                       "记账人,100;消费时间,150");

    explicit OnAccountBills(Database& db);

    // Bills whose number and member number hold the filters, checked out from the first day to
    // the end of the last; the "合计" row last. No rows at all when the query failed.
    QList<QStringList> bills(const QDate& from, const QDate& to, const QString& number,
                             const QString& member);
    static QString rangeLine(const QDate& from, const QDate& to);
    // The bill's lines, returns and gifts marked, and their "合计" row.
    QList<QStringList> lines(const QString& bill);

    // The bill a row of the list hands to the checkout: the settlement right is needed
    // ("你没有此操作权限!"), a row ("请选定要结账的挂账账单!"), and a bill's row, not "合计".
    static std::optional<Checkout::OnAccountBill> toSettle(Prompt& prompt, bool hasRight,
                                                           const QStringList& row);

private:
    Database& m_db;
};
