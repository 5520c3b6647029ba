#pragma once

#include "Checkout.h"
#include "MemberSearch.h"

#include <QWidget>

class CPrintListReportCtrl;
class DefaultPrinter;
class PaymentPartsRow;
class QFormLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The payment side of the checkout and of a bill's correction: the member search with its list,
// the member, the amounts, the payment method and the note. The dialog owns the operation; it
// recomputes the amounts and answers a picked member or a chosen payment.
class PaymentPanel final : public QWidget
{
    Q_OBJECT
public:
    // With `listCoversAmounts` the member list takes the rows of 优惠金额, 实收金额 and 找零 while
    // it is shown, for a dialog with little height beside it.
    PaymentPanel(Database& db, DefaultPrinter& defaultPrinter, bool listCoversAmounts, QWidget* parent);

    // A bold value label in a colour, found by its name.
    static QLabel* shownLabel(const QString& name, const QString& colour, QWidget* parent);

    // For rows of the dialog's own above the member search.
    QFormLayout* form() const { return m_form; }
    // A row below the member's name and ratio.
    void addMemberRow(QLayout* row);

    QLineEdit* receivedEdit() const { return m_received; }
    QLineEdit* paidEdit() const { return m_paid; }
    QLineEdit* noteEdit() const { return m_note; }
    QLineEdit* memberEdit() const { return m_memberSearch; }
    CPrintListReportCtrl* memberList() const { return m_members; }
    QRadioButton* paymentButton(Checkout::Payment payment) const;
    PaymentPartsRow* partsRow() const { return m_parts; }
    // The parts of a stored bill paid by other methods beside cash.
    void setParts(const QList<PaymentParts::Part>& parts);

    Checkout::Amounts& amounts() { return m_amounts; }
    // 实收金额 and 顾客支付 as typed into the amounts.
    void takeFields();
    void showAmounts();
    Checkout::Payment payment() const;
    Checkout::Entry entry() const;
    // Checks the payment and announces it as a click would.
    void choosePayment(Checkout::Payment payment);
    // 顾客支付 and 实收金额 as the payment allows; `receivedAllowed` false keeps 实收金额 closed.
    void enableAmounts(bool receivedAllowed);
    // The cursor in the field, its text selected; None goes to 实收金额.
    void selectField(Checkout::Focus field);

    void showMember(const QString& number, const QString& name, const QString& ratio);
    void hideMembers();

signals:
    // The amounts follow the payment already.
    void paymentClicked();
    // The list is hidden already.
    void memberPicked(const MemberSearch::Member& member);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void memberTyped();
    void showMembers(const QList<MemberSearch::Member>& members);
    void setAmountRowsVisible(bool visible);
    void pickMember();
    void paymentChosen();

    MemberSearch m_search;
    Checkout::Payment m_chosen = Checkout::Payment::Cash;
    QList<MemberSearch::Member> m_found;
    Checkout::Amounts m_amounts;
    bool m_listCoversAmounts;

    QFormLayout* m_form;
    QLineEdit* m_memberSearch;
    QPushButton* m_allMembers;
    CPrintListReportCtrl* m_members;
    QLabel* m_memberName;
    QLabel* m_memberRatio;
    QLabel* m_gross;
    QLabel* m_due;
    QLabel* m_discount;
    QLineEdit* m_received;
    QLineEdit* m_paid;
    QLabel* m_change;
    QRadioButton* m_cash;
    QRadioButton* m_onAccount;
    QRadioButton* m_free;
    QRadioButton* m_other;
    QLineEdit* m_note;
    PaymentPartsRow* m_parts;
};
