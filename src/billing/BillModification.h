#pragma once

#include "Checkout.h"

#include <functional>
#include <optional>

// The correction of a bill settled today: its lines, discounts, member, payment method, amounts
// and note are edited in memory, then one transaction rewrites the bill under its own number,
// its lines, its registrations' totals and the members' totals, and logs the change.
class BillModification final
{
public:
    static constexpr int kMaxLines = 9000;
    static inline const QString kColumns = QStringLiteral(
        "序号,50;项目名,90;餐桌名,70;数量,50;单价,50;折扣,50;应收金额,70;记账人,90;消费时间,150");

    struct Line
    {
        QString item;
        QString table;
        QString quantity;
        QString price;
        QString ratio;
        QString recorder;
        QString time;
        // What a stored line carries into its rewritten row; an added line takes the defaults.
        bool stored = false;
        QString returnMark;       // tdbj
        QString returnedQuantity; // tdsl
        QString returnReason;     // tdbz
        QString printed;          // sfdy
        QString note;             // bz

        double amountDue() const;
        QString shownItem() const;
    };

    // The bill row as the cashier detail list shows it.
    struct Bill
    {
        QString number;
        QString table;
        QString received; // 实收金额
        QString memberCode = QStringLiteral("*");
        QString method;
        QString note;
        QString time; // 结账时间
        QString cashier;
    };

    enum class Outcome
    {
        Stopped,
        Invalid,
        Deleted,
        Saved
    };

    BillModification(Database& db, const Cashier& cashier, ReceiptPrinter& printer);

    // The question for the reason of a change, asked at saving after the cashier confirmed it:
    // nothing when cancelled. Without one, no reason is kept.
    using ReasonQuestion = std::function<std::optional<QString>()>;
    void setReasonQuestion(ReasonQuestion question) { m_reasonQuestion = std::move(question); }

    // The rules of 修改 for a bill of the list, in their order; the refusal is shown.
    static bool mayModify(Prompt& prompt, bool hasRight, const Bill& bill, const QString& operatorName,
                          const QDate& today);

    // Reads the bill's member and lines; "[已修改]" is appended to the note.
    void open(const Bill& bill);
    const Bill& bill() const { return m_bill; }
    const QList<Line>& lines() const { return m_lines; }
    QString oldMemberCode() const { return m_oldMemberCode; }
    QString oldReceived() const { return m_oldReceived; }

    QString memberNumber() const { return m_member.number; }
    QString memberName() const { return m_member.name; }
    QString memberRatio() const { return m_member.ratio; }

    // A line as 增加消费 lists it: the bill's table, ratio 1.00, the current operator and time.
    // "请选定消费项目!" without a dish, "请指定消费数量!" without a positive quantity.
    std::optional<Line> newLine(const QString& dish, const QString& price, const QString& quantity) const;
    // "消费项目超过系统限制!" past the limit, and nothing added.
    bool addLines(const QList<Line>& lines);
    void removeLine(int row);
    // A quantity greater than 0, written "%.2f"; "消费数量必须大于0!" otherwise.
    static std::optional<QString> acceptQuantity(Prompt& prompt, const QString& text);
    // A return line records a dish sent back, with its reason: its quantity stays what was
    // returned, never a positive one ("退单项目不能修改数量!"). It may be removed instead.
    bool mayChangeQuantity(int row) const;
    bool setQuantity(int row, const QString& quantity);

    // The ratio on every line, or on the chosen rows ("请选定要打折的消费项目!" when there are
    // none): only on items that allow a discount, never on a gift.
    void applyRatio(const QString& ratio);
    bool applyRatio(const QString& ratio, const QList<int>& rows);
    // The level's ratio goes to every line; 取消会员 puts 1 back.
    void pickMember(const MemberSearch::Member& member);
    void cancelMember();

    // 消费合计, 应收金额, 优惠金额 and 找零 from the lines; keeps received and paid.
    void recalc(Checkout::Amounts& amounts, Checkout::Payment payment) const;

    // The save: the question that deletes an empty bill, the checks, the question, the
    // transaction, the receipt offered and "修改结账完毕!".
    Outcome save(const Checkout::Entry& entry, Checkout::Focus& focus);

    // 打印: the receipt of the lines as they are listed.
    bool printListed(const Checkout::Entry& entry);

private:
    bool ofToday(const QDate& today, const QString& billTime) const;
    // The reason typed, "" without a question; nothing when cancelled or left empty.
    std::optional<QString> askReason();
    QString storedTime() const;
    bool remove();
    void writeRatio(const QString& ratio, const QList<int>& rows);
    // False when the bill is no longer of today: nothing written.
    bool write(const Checkout::Entry& entry, const Checkout::Amounts& amounts);
    Receipt::Totals totals(const Checkout::Entry& entry, const Checkout::Amounts& amounts) const;
    QList<Receipt::ListedRow> listedRows() const;

    Database& m_db;
    Cashier m_cashier;
    ReceiptPrinter& m_printer;
    Bill m_bill;
    QList<Line> m_lines;
    MemberSearch::Member m_member;
    QString m_oldMemberCode = QStringLiteral("*");
    QString m_oldReceived;
    ReasonQuestion m_reasonQuestion;
    QString m_reason;
};
