#pragma once

#include "Checkout.h"
#include "Discount.h"
#include "MemberSearch.h"

#include <functional>
#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// 顾客结账: settles one or more table groups (or, on account, bills left on account) into one
// bill. The opener loads a table or an on-account bill, runs the dialog and reloads the board
// afterwards. OK: a bill was written; Cancel with released(): the tables were let go without a
// bill.
class CGkJzDlg final : public QDialog
{
    Q_OBJECT
public:
    CGkJzDlg(Database& db, const Cashier& cashier, ReceiptPrinter& printer, DefaultPrinter& defaultPrinter,
             Discount::PasswordCheck passwordCheck, QWidget* parent = nullptr);

    // The table selected on the board.
    void loadTable(const QString& table);
    // A bill left on account: it is settled under a new number of today.
    void loadOnAccount(const Checkout::OnAccountBill& bill);
    // What 会员管理 opens; the button stays disabled without it.
    void setMemberSettings(std::function<void()> open);

    // Set when the tables were released without a bill.
    bool released() const { return m_released; }
    const Checkout& checkout() const { return m_checkout; }

    // The controls, for the opener's tests.
    QTreeWidget* areaTree() const { return m_area; }
    QTreeWidget* inStoreTree() const { return m_inStore; }
    CPrintListReportCtrl* lineList() const { return m_lines; }
    CPrintListReportCtrl* memberList() const { return m_members; }
    QGroupBox* linesFrame() const { return m_linesFrame; }
    QLabel* amountLabel(const QString& name) const;
    QLineEdit* receivedEdit() const { return m_received; }
    QLineEdit* paidEdit() const { return m_paid; }
    QLineEdit* noteEdit() const { return m_note; }
    QLineEdit* memberEdit() const { return m_memberSearch; }
    QRadioButton* paymentButton(Checkout::Payment payment) const;
    QPushButton* button(const QString& text) const;

    void settle();
    void openDiscount();
    void moveIn();
    void moveOut();
    void pickMember();
    void cancelMember();
    void listAllMembers();
    void printPreReceipt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& text, void (CGkJzDlg::*slot)(), QWidget* parent);
    void showArea();
    void showLines(QTreeWidgetItem* node);
    void takeFields();
    void recalc();
    void showAmounts();
    void paymentClicked();
    void receivedEdited();
    void paidEdited();
    void memberTyped();
    void showMembers(const QList<MemberSearch::Member>& members);
    void hideMembers();
    // The checkout's member in the search box and the member labels.
    void showMember();
    void afterDiscount(bool applied);
    void focusField(QLineEdit* field);
    Checkout::Payment payment() const;
    Checkout::Entry entry() const;

    Database& m_db;
    Cashier m_cashier;
    Discount::PasswordCheck m_passwordCheck;
    Checkout m_checkout;
    MemberSearch m_memberSearchOp;
    Checkout::Amounts m_amounts;
    QList<MemberSearch::Member> m_found;
    std::function<void()> m_openMemberSettings;
    bool m_released = false;
    // The node whose lines the list shows; empty for the root.
    QString m_shownNode;

    QLabel* m_billNumber;
    QLabel* m_table;
    QTreeWidget* m_inStore;
    QTreeWidget* m_area;
    QGroupBox* m_linesFrame;
    CPrintListReportCtrl* m_lines;
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
    // The amounts form; the member list covers some of its rows while it is shown.
    QFormLayout* m_form;
};
