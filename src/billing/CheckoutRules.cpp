#include "Checkout.h"
#include "Field.h"
#include "Money.h"
#include "Prompt.h"
#include "Sql.h"

// The payment rules of the checkout and of a bill's correction: the method's words, the amounts
// while typing, and the checks before a bill is written.

namespace {

QString amount(qint64 cents)
{
    return Sql::money(cents / 100.0);
}

// What the screen shows of a typed amount less another: nothing while either is not a number.
QString difference(const QString& a, const QString& b)
{
    const std::optional<double> x = Field::parseNumber(a);
    const std::optional<double> y = Field::parseNumber(b);
    return x && y ? amount(Money::cents(*x) - Money::cents(*y)) : QString();
}

} // namespace

QString Checkout::methodText(Payment payment)
{
    switch (payment) {
    case Payment::Cash:
        return QStringLiteral("现金");
    case Payment::OnAccount:
        return QStringLiteral("挂账");
    case Payment::Other:
        return QStringLiteral("其他");
    case Payment::Free:
        break;
    }
    return QStringLiteral("免费");
}

Checkout::Payment Checkout::paymentOf(const QString& method)
{
    for (Payment payment : {Payment::OnAccount, Payment::Free, Payment::Other})
        if (methodText(payment) == method)
            return payment;
    return Payment::Cash;
}

void Checkout::receivedChanged(Amounts& amounts)
{
    amounts.discount = difference(amounts.gross, amounts.received);
    paidChanged(amounts);
}

void Checkout::paidChanged(Amounts& amounts)
{
    amounts.change = changeOf(amounts, amounts.received);
}

QString Checkout::changeOf(const Amounts& amounts, const QString& owed)
{
    const std::optional<double> cash = Field::parseNumber(owed);
    return cash ? difference(amounts.paid, amount(Money::cents(*cash) - Money::cents(amounts.parts)))
                : QString();
}

void Checkout::paymentChosen(Amounts& amounts, Payment previous, Payment payment)
{
    if (payment == previous)
        return;
    if (payment == Payment::Free) {
        amounts.receivedBeforeFree = amounts.received;
        amounts.received = QStringLiteral("0");
        amounts.discount = amounts.gross;
    } else if (previous == Payment::Free) {
        // Leaving 免费 gives back what it took: 实收金额 may be closed to typing (on account).
        amounts.received = amounts.receivedBeforeFree;
        receivedChanged(amounts);
    }
}

bool Checkout::paidEnabled(Payment payment)
{
    return payment == Payment::Cash || payment == Payment::Other;
}

bool Checkout::receivedEnabled(Payment payment)
{
    return payment != Payment::Free;
}

Checkout::Result Checkout::check(Prompt& prompt, const Cashier& cashier, const Entry& entry,
                                 const Amounts& amounts, qint64 roundOffGranted)
{
    const bool free = entry.payment == Payment::Free;
    const qint64 gross = Money::cents(amounts.gross);
    const qint64 due = Money::cents(amounts.due);
    // Typed amounts are numbers or refused: "94,50" must not pass as 94 and a rounding-off.
    const std::optional<double> typedReceived = Field::parseNumber(amounts.received);
    const std::optional<double> typedPaid = Field::parseNumber(amounts.paid);
    const bool takesPayment = paidEnabled(entry.payment);

    auto refuse = [&prompt](const QString& message, Focus field) {
        prompt.warn(message);
        return Result{Outcome::Invalid, field, QString()};
    };
    if (!typedReceived)
        return refuse(QStringLiteral("实收金额不正确!"), Focus::Received);
    const qint64 received = Money::cents(*typedReceived);
    if (gross < received)
        return refuse(QStringLiteral("实收金额不能大于消费金额!"), Focus::Received);
    if (due < received)
        return refuse(QStringLiteral("实收金额不能高于应收金额，如果要优惠请通过'折扣'优惠!"),
                      Focus::Received);
    // A negative amount received would lower the member's total; it is as wrong as none.
    if (!free && received <= 0)
        return refuse(QStringLiteral("实收金额不正确!"), Focus::Received);
    if (!free && Money::cents(cashier.largestRoundOff) < due - received - roundOffGranted)
        return refuse(QStringLiteral("抹零金额超出当前操作员最高抹零金额:") + cashier.largestRoundOff +
                          QStringLiteral("元，如果要优惠请通过'折扣'优惠!"),
                      Focus::Received);
    // An empty 顾客支付 is nothing handed over.
    if (takesPayment && !typedPaid && !amounts.paid.trimmed().isEmpty())
        return refuse(QStringLiteral("顾客支付不正确!"), Focus::Paid);
    // The parts paid by other methods come out of 实收金额; the cash is what they leave.
    qint64 parts = 0;
    if (!entry.parts.isEmpty()) {
        if (entry.payment != Payment::Cash)
            return refuse(QStringLiteral("只有现金结账可以分项付款!"), Focus::Received);
        for (const PaymentParts::Part& part : entry.parts) {
            if (part.cents <= 0)
                return refuse(QStringLiteral("分项付款金额不正确!"), Focus::Paid);
            parts += part.cents;
        }
        if (received < parts)
            return refuse(QStringLiteral("分项付款合计不能大于实收金额!"), Focus::Received);
    }
    if (takesPayment && (typedPaid ? Money::cents(*typedPaid) : 0) < received - parts)
        return refuse(QStringLiteral("支付金额不足,如果要抹零,请更改实收金额!"), Focus::Paid);
    if (entry.payment == Payment::OnAccount && entry.note.trimmed().isEmpty())
        return refuse(QStringLiteral("挂账账单请输入备注信息!"), Focus::Note);
    if (free && entry.note.trimmed().isEmpty())
        return refuse(QStringLiteral("免费账单请输入备注信息!"), Focus::Note);
    return {};
}

QString Checkout::storedMethod(const Entry& entry, const QString& received)
{
    if (entry.parts.isEmpty())
        return methodText(entry.payment);
    return PaymentParts::storedMethod(PaymentParts::withCash(entry.parts, Money::cents(received)));
}
