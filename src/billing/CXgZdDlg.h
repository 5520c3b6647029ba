#pragma once

#include "BillModification.h"
#include "Discount.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QLabel;
class QLineEdit;
class QRadioButton;

// 修改账单: a bill settled today, corrected in memory (lines added, removed or changed in
// quantity, discounts, member, payment, amounts, note) and saved under its own number. OK: the
// bill was saved or deleted.
class CXgZdDlg final : public QDialog
{
    Q_OBJECT
public:
    CXgZdDlg(Database& db, const Cashier& cashier, ReceiptPrinter& printer, DefaultPrinter& defaultPrinter,
             Discount::PasswordCheck passwordCheck, QWidget* parent = nullptr);

    void load(const BillModification::Bill& bill);

    const BillModification& modification() const { return m_op; }
    CPrintListReportCtrl* lineList() const { return m_lines; }
    QLabel* amountLabel(const QString& name) const;
    QLineEdit* receivedEdit() const { return m_received; }
    QLineEdit* paidEdit() const { return m_paid; }
    QLineEdit* noteEdit() const { return m_note; }
    QLineEdit* memberEdit() const { return m_memberSearch; }
    CPrintListReportCtrl* memberList() const { return m_members; }
    QRadioButton* paymentButton(Checkout::Payment payment) const;

    void addConsumption();
    void removeLine();
    void changeQuantity();
    void openDiscount();
    void pickMember();
    void cancelMember();
    void print();
    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLines();
    void recalc();
    void showAmounts();
    void showMember();
    void showMembers(const QList<MemberSearch::Member>& members);
    Checkout::Payment payment() const;
    Checkout::Entry entry() const;
    void focusField(QLineEdit* field);

    Database& m_db;
    Cashier m_cashier;
    DefaultPrinter& m_defaultPrinter;
    Discount::PasswordCheck m_passwordCheck;
    BillModification m_op;
    Checkout::Amounts m_amounts;
    QList<MemberSearch::Member> m_found;

    QLabel* m_billNumber;
    QLabel* m_table;
    QLabel* m_gross;
    QLabel* m_due;
    QLabel* m_discount;
    QLabel* m_change;
    QLineEdit* m_received;
    QLineEdit* m_paid;
    QLineEdit* m_note;
    QLineEdit* m_memberSearch;
    CPrintListReportCtrl* m_members;
    QLabel* m_memberName;
    QLabel* m_memberRatio;
    QRadioButton* m_cash;
    QRadioButton* m_onAccount;
    QRadioButton* m_free;
    QRadioButton* m_other;
    CPrintListReportCtrl* m_lines;
};
