#pragma once

#include "PaymentParts.h"
#include "PrintSettings.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The lines of a receipt, apart from how they reach the printer: the drawn form (one line per
// call of the line printer) and the plain-text form (one raw job). Widths count GBK bytes.
class Receipt final
{
public:
    enum class Kind
    {
        Checkout,
        PreReceipt,
        Table,
        Reprint,
        ModifiedBill,     // the modification dialog's list
        SavedModification // a modified bill once saved: the checkout's form, the wide separator
    };

    // One row of the grouped items query of the drawn form.
    struct CategoryRow
    {
        QString item;
        QString category;
        double quantity = 0;
        QString price; // two decimals
        double amount = 0;
    };
    // One row of a screen's line list: name with its (退)/(赠) mark, quantity, price, amount due.
    struct ListedRow
    {
        QString name;
        QString quantity;
        QString price;
        QString amount;
    };
    struct Totals
    {
        QString quantity; // total quantity of the lines, "%.2f"
        QString due;      // 应收金额
        QString discount; // 优惠金额
        QString received; // 实收金额
        QString paid;     // 顾客支付
        QString change;   // 找零
        QString method;   // payment method as the bill stores it: 现金, 挂账, 免费, 其他, 混合, ...
        QList<PaymentParts::Part> parts = {}; // of a bill paid by several methods, cash first
    };
    struct Line
    {
        QString text;
        bool title = false; // drawn in the larger font
    };

    Receipt(Kind kind, const PrintSettings& settings, const QString& restaurant);

    // The header's bill number (checkout, reprint, modified bill) or table name (others).
    void setHeader(const QString& numberOrTable, const QString& cashier, const QDateTime& time);
    void setTotals(const Totals& totals) { m_totals = totals; }

    // Items of the drawn form grouped by category in category order, with subtotals.
    void setCategoryRows(const QList<CategoryRow>& rows);
    // Items as the screen lists them: the plain form always, the modified bill also when drawn.
    void setListedRows(const QList<ListedRow>& rows);

    QList<Line> drawn() const;
    // The plain-text job: every line followed by a line feed, then ten more line feeds.
    QString plain() const;

    QString separator() const;
    // A line's item as lists show it: "(退)" after a return, "(赠)" after a gift.
    static QString shownItem(const QString& item, double quantity, double ratio);
    // A dish name cut to 14 bytes, or 15 when the 14th byte would split a character.
    static QString cutName(const QString& name);
    // The parts a receipt lists for a bill paid by several methods; none for one method.
    static QList<PaymentParts::Part> paidParts(const QList<PaymentParts::Part>& parts,
                                               const QString& received);

private:
    QString headerLine() const;
    QString itemLine(const QString& name, const QString& quantity, const QString& price,
                     const QString& amount) const;
    QStringList totalsLines() const;

    Kind m_kind;
    PrintSettings m_settings;
    QString m_restaurant;
    QString m_number;
    QString m_cashier;
    QDateTime m_time;
    Totals m_totals;
    QStringList m_groupedItems;
    QStringList m_listedItems;
};
