#pragma once

#include "Cashier.h"
#include "MemberSearch.h"
#include "PaymentParts.h"
#include "Receipt.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

class Database;
class Prompt;
class ReceiptPrinter;

// The operations of the checkout dialog: the tables (or on-account bills) being settled, their
// lines and totals, discounts and the member, the checks, and the one transaction that writes the
// bill, settles the registrations and lines, frees the tables and raises the member's total.
// Messages and questions go through the database's prompt.
class Checkout final
{
public:
    enum class Payment
    {
        Cash,
        OnAccount,
        Free,
        Other
    };
    // The field that takes the cursor after a refused check.
    enum class Focus
    {
        None,
        Received,
        Paid,
        Note
    };
    enum class Outcome
    {
        Stopped,  // nothing written; the dialog stays open
        Invalid,  // a check refused the input; `focus` names the field
        Released, // tables freed without a bill; the dialog closes with Cancel and the board reloads
        Settled   // the bill is written; the dialog closes with OK
    };

    // A group being settled: a main table (or, on account, an old bill number) with its tables.
    struct Group
    {
        QString name;
        QStringList tables;
    };

    // One consumption line as the line list shows it.
    struct Line
    {
        qint64 number = 0; // xfbh
        QString item;      // xfxm
        QString shownItem; // with "(退)" on a return, "(赠)" on a gift
        QString table;
        QString quantity;
        QString price;
        QString ratio;
        QString discountAmount; // xmdj × sl × (1 − dzbl), "%0.2f"
        QString dueAmount;      // xmdj × sl × dzbl
        QString recorder;
        QString time;
        bool returned = false; // drawn red
        bool gift = false;     // drawn orange
    };
    struct Lines
    {
        QList<Line> lines;
        QString discountSum; // the "合计" row
        QString dueSum;
    };

    // The amount fields of the dialog, all text as typed or shown.
    struct Amounts
    {
        QString gross = QStringLiteral("0.00");    // 消费合计
        QString due = QStringLiteral("0.00");      // 应收金额
        QString discount = QStringLiteral("0.00"); // 优惠金额
        QString received = QStringLiteral("0");    // 实收金额
        QString paid;                              // 顾客支付
        QString change = QStringLiteral("0.00");   // 找零
        QString quantity = QStringLiteral("0.00"); // total quantity
        QString receivedBeforeFree = received;     // 实收金额 when 免费 was chosen
        QString parts = QStringLiteral("0.00");    // paid by other methods beside cash
    };

    // What the cashier entered.
    struct Entry
    {
        QString received;
        QString paid;
        QString note;
        Payment payment = Payment::Cash;
        // Parts of 实收金额 paid by other methods; cash pays the rest (with Payment::Cash only).
        QList<PaymentParts::Part> parts = {};
    };

    struct Result
    {
        Outcome outcome = Outcome::Stopped;
        Focus focus = Focus::None;
        QString billNumber; // the number written, which may differ from the one shown
    };

    // A bill left on account, as the on-account list hands it over.
    struct OnAccountBill
    {
        QString number;     // old bill number
        QString table;      // its table
        QString memberCode; // member number, "*" for none
        QString received;   // 实收金额
        QString note;       // 结账备注
    };

    Checkout(Database& db, const Cashier& cashier, ReceiptPrinter& printer);

    // Opens for a table of the board: its group, the other open groups, a bill number.
    void open(const QString& table);
    // Opens for a bill left on account: it gets a new number of today.
    void openOnAccount(const OnAccountBill& bill);

    bool onAccountMode() const { return m_onAccount; }
    QString title() const;
    QString table() const { return m_table; }
    QString billNumber() const { return m_billNumber; }
    // The checkout area's root: missing when the table had no open registration.
    bool hasRoot() const { return m_hasRoot; }
    QString rootText() const;
    const QList<Group>& area() const { return m_area; }
    const QList<Group>& inStore() const { return m_inStore; }
    // The fields an on-account bill keeps (实收金额 and 结账备注), empty otherwise.
    const OnAccountBill& onAccountBill() const { return m_bill; }

    // The chosen member: number (empty for none), name and level ratio.
    QString memberNumber() const { return m_memberNumber; }
    QString memberName() const { return m_memberName; }
    QString memberRatio() const { return m_memberRatio; }

    // Moves a group of the in-store list into the checkout area; a table of a group cannot move
    // alone ("不能对子餐桌进行此操作!").
    bool moveIn(const QString& group);
    // Moves a group of the checkout area back ("不能进行此操作，请拆分账单!" for a single table).
    bool moveOut(const QString& group);

    // Recomputes the totals from the lines of the checkout area. Keeps received and paid.
    void RecalcTotals(Amounts& amounts, Payment payment);
    // The amount fields while typing.
    static void receivedChanged(Amounts& amounts);
    static void paidChanged(Amounts& amounts);
    // Another payment checked: 免费 receives nothing and grants everything; leaving it restores
    // 实收金额 as it was.
    static void paymentChosen(Amounts& amounts, Payment previous, Payment payment);
    static bool paidEnabled(Payment payment);
    static bool receivedEnabled(Payment payment);

    // The lines of a node: an empty name is the root (every line of the area), a group's name
    // gives the group, a table's name the table.
    Lines ShowLines(const QString& node = QString());
    // The lines of a settled bill, as the line lists show them.
    static Lines billLines(Database& db, const QString& bill);
    static QString linesCaption(const QString& nodeText);

    // Writes a ratio ("%.2f") to every discountable non-gift line of the area, or to the selected
    // lines of the node the line list shows (of the area or of the in-store list); then their
    // tables' totals. "打折发生异常,打折失败!" and nothing changed on failure; no line selected:
    // "请选定要打折的消费项目!".
    bool ApplyDiscountRatio(const QString& ratio);
    bool ApplyDiscountRatio(const QString& ratio, const QString& node, const QList<qint64>& selected);

    // Picks a member: the level's ratio goes to all lines. 取消会员 puts 1 back. When the lines
    // cannot be changed, the member stays as it was.
    bool pickMember(const MemberSearch::Member& member);
    bool cancelMember();

    // The checkout: release when there is no consumption, the checks, the question, the
    // transaction, then the receipt and "结账完毕!".
    Result settle(const Entry& entry);

    // 预打小票: the receipt of the area's lines before settling.
    bool printPreReceipt(const Entry& entry);

    static QString methodText(Payment payment);
    // The method the bill keeps: the payment's, or that of its parts with the cash they leave.
    static QString storedMethod(const Entry& entry, const QString& received);
    // 找零: 顾客支付 less what is owed in cash (`owed` less the parts by other methods).
    static QString changeOf(const Amounts& amounts, const QString& owed);
    // The payment of a stored method text; cash for anything unknown.
    static Payment paymentOf(const QString& method);
    // The checks of the amounts, payment and note before a bill is written, in their order; the
    // first refusal is shown and returned with the field that takes the cursor. The cashier's
    // rounding-off limit bounds only what comes on top of the rounding-off granted before (cents).
    static Result check(Prompt& prompt, const Cashier& cashier, const Entry& entry, const Amounts& amounts,
                        qint64 roundOffGranted = 0);

private:
    void reset(const QString& table, bool onAccount);
    QStringList collectedNames() const;
    QStringList namesUnder(const QString& node) const;
    QString linesStatement(const QString& name) const;
    QList<Group> groupsOf(const QString& statement, const QString& keyColumn);
    QStringList billTables(const QString& bill);
    static void addLines(Database& db, const QString& statement, Lines& result, qint64& discountSum,
                         qint64& dueSum);
    Result release(const QStringList& names);
    Result releaseUnregistered();
    // The tables let go without a bill: the statements in one transaction.
    Result leave(const QStringList& statements);
    bool writeRatio(const QString& ratio, const QList<Line>& lines);
    QString write(const Entry& entry, const Amounts& amounts, const QStringList& names);
    void printReceipt(const Entry& entry, const Amounts& amounts, const QString& number,
                      const QList<Receipt::ListedRow>& rows);
    QList<Receipt::ListedRow> listedRows();
    qint64 roundOffGranted();

    Database& m_db;
    Cashier m_cashier;
    ReceiptPrinter& m_printer;
    bool m_onAccount = false;
    bool m_hasRoot = false;
    QString m_table;
    QString m_groupKey; // zdbh of the table's group
    QString m_billNumber;
    OnAccountBill m_bill;
    QList<Group> m_area;
    QList<Group> m_inStore;
    QString m_memberNumber;
    QString m_memberName;
    QString m_memberRatio;
};
