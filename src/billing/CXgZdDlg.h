#pragma once

#include "BillModification.h"
#include "Discount.h"

#include <QDialog>

class CPrintListReportCtrl;
class DefaultPrinter;
class PaymentPanel;
class QLabel;

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
    PaymentPanel* paymentPanel() const { return m_payment; }

    void addConsumption();
    void removeLine();
    void changeQuantity();
    void openDiscount();
    void cancelMember();
    void print();
    void save();

private:
    QList<int> selectedLines() const;
    void showLines();
    void recalc();
    void showMember();

    Database& m_db;
    Cashier m_cashier;
    DefaultPrinter& m_defaultPrinter;
    Discount::PasswordCheck m_passwordCheck;
    BillModification m_op;

    QLabel* m_billNumber;
    QLabel* m_table;
    PaymentPanel* m_payment;
    CPrintListReportCtrl* m_lines;
};
