#pragma once

#include "Checkout.h"
#include "Discount.h"

#include <functional>
#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class PaymentPanel;
class QGroupBox;
class QLabel;
class QPushButton;
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
    QGroupBox* linesFrame() const { return m_linesFrame; }
    QLabel* amountLabel(const QString& name) const;
    PaymentPanel* paymentPanel() const { return m_payment; }
    QPushButton* button(const QString& text) const;

    void settle();
    void openDiscount();
    void moveIn();
    void moveOut();
    void cancelMember();
    void printPreReceipt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& text, void (CGkJzDlg::*slot)(), QWidget* parent);
    void showArea();
    void showLines(QTreeWidgetItem* node);
    void recalc();
    void paymentClicked();
    // The checkout's member in the search box and the member labels.
    void showMember();
    void afterDiscount(bool applied);

    Database& m_db;
    Cashier m_cashier;
    Discount::PasswordCheck m_passwordCheck;
    Checkout m_checkout;
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
    PaymentPanel* m_payment;
};
